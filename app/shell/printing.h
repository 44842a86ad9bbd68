#pragma once

#include <functional>

class DrumChart;
class QPainter;
class QString;
class QWidget;

// What needs Qt Print Support, which the window does not load before it is first drawn: the
// code lives in a module of its own, opened when the program first prints. A printer is set
// up for an upright A4 sheet, full page; with BEATLOFT_PRINT_TO_PDF set, the output goes into
// that PDF file without any dialog.
class Printing {
public:
    // Draws a page on a painter, given the device's pixels per millimetre.
    using PageDrawing = std::function<void(QPainter& painter, double pixelsPerMm)>;

    virtual ~Printing() = default;

    // A preview of the chart in a dialog over parent with the given title, from which Qt's
    // print dialog prints to a printer or a PDF file.
    virtual void printChart(const DrumChart& chart, QWidget& parent, const QString& title) = 0;
    // One page on the default printer; nothing when no printer can be opened.
    virtual void printPage(const PageDrawing& draw) = 0;

    // The module's printing, loaded on the first call; nullptr when the module is missing.
    static Printing* instance();
};
