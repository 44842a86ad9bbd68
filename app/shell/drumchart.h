#pragma once

#include "shell/chartsection.h"

#include <QLineF>
#include <QList>
#include <QPointF>
#include <QString>

// A drum chart laid out on upright A4 pages, in millimetres from a page's top left corner.
// Each section starts with its heading; its steps run in systems of whole bars, where they
// fit, one line per instrument with its name at the left, bar numbers above and the grid's
// beat lines across; a system that does not fit goes on the next page. The painter and
// whoever checks the chart read the same pages.
class DrumChart {
public:
    struct Symbol {
        QPointF at;  // the centre
        int kind = 0;
        QString instrument;
        int step = 0;
    };
    struct Text {
        enum Role { Title, Heading, Name, BarNumber };
        QPointF at;  // the left end of the baseline
        QString text;
        Role role = Name;
    };
    struct Page {
        QList<Text> texts;
        QList<QLineF> lines;     // instrument lines and beat lines
        QList<QLineF> barLines;  // drawn heavier
        QList<Symbol> symbols;
    };

    static constexpr double kPageWidth = 210;
    static constexpr double kPageHeight = 297;
    static constexpr double kMargin = 12;
    static constexpr double kNames = 26;  // the names' column
    static constexpr double kStep = 5;    // DrawSymbol's column spacing
    static constexpr double kLine = 5;    // between instrument lines

    // The symbol kind of a level: strong a filled disc (0), normal a circle with a cross (3),
    // light an open circle (1); -1 for off.
    static int symbolKind(int level);
    // The steps of one system: as many whole bars as fit, else whole beats, else what fits.
    static int stepsPerSystem(const ChartSection& section);

    // The chart under a title.
    static DrumChart of(const QString& title, const QList<ChartSection>& sections);

    const QList<Page>& pages() const { return pages_; }

private:
    void addSection(const ChartSection& section);
    void addSystem(const ChartSection& section, int first, int count);
    void addGridLines(const ChartSection& section, int first, int count, double top, double bottom);
    // Starts a new page when `height` does not fit below the current position.
    void keepRoomFor(double height);
    Page& page() { return pages_.last(); }

    QList<Page> pages_;
    double y_ = kMargin;
};
