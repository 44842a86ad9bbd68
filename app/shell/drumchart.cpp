#include "drumchart.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

constexpr double kTitleHeight = 12;
constexpr double kHeadingHeight = 7;
constexpr double kBarNumbers = 4;  // the row of bar numbers above a system
constexpr double kSystemGap = 5;

bool startsEvery(int step, int every) {
    return every > 0 && (step - 1) % every == 0;
}

double left() {
    return DrumChart::kMargin + DrumChart::kNames;
}

}  // namespace

int DrumChart::symbolKind(int level) {
    switch (level) {
        case 3:
            return 0;
        case 2:
            return 3;
        case 1:
            return 1;
    }
    return -1;
}

int DrumChart::stepsPerSystem(const ChartSection& section) {
    const int fit = int((kPageWidth - kMargin - left()) / kStep);
    for (int unit : {section.stepsPerBar(), section.stepsPerBeat})
        if (unit > 0 && unit <= fit) return fit / unit * unit;
    return fit;
}

DrumChart DrumChart::of(const QString& title, const QList<ChartSection>& sections) {
    DrumChart chart;
    chart.pages_.append(Page{});
    chart.page().texts << Text{{kMargin, kMargin + 7}, title, Text::Title};
    chart.y_ += kTitleHeight;
    for (const ChartSection& section : sections) chart.addSection(section);
    return chart;
}

void DrumChart::keepRoomFor(double height) {
    if (y_ + height <= kPageHeight - kMargin || y_ <= kMargin) return;
    pages_.append(Page{});
    y_ = kMargin;
}

void DrumChart::addSection(const ChartSection& section) {
    const int perSystem = stepsPerSystem(section);
    const double system = kBarNumbers + section.names.size() * kLine + kSystemGap;
    keepRoomFor(kHeadingHeight + system);  // a heading never ends a page
    page().texts << Text{{kMargin, y_ + 5}, section.heading, Text::Heading};
    y_ += kHeadingHeight;
    if (section.names.isEmpty()) {
        page().texts << Text{
            {left(), y_ + 3}, QCoreApplication::translate("DrumChart", "keine Noten"), Text::Name};
        y_ += kLine + kSystemGap;
        return;
    }
    for (int first = 1; first <= section.steps; first += perSystem) {
        keepRoomFor(system);
        addSystem(section, first, std::min(perSystem, section.steps - first + 1));
        y_ += system;
    }
}

void DrumChart::addSystem(const ChartSection& section, int first, int count) {
    const double top = y_ + kBarNumbers;
    const double right = left() + count * kStep;
    // Each system names the bar it begins in, and every bar that begins in it.
    for (int s = first; s < first + count; ++s)
        if (section.stepsPerBar() > 0 && (s == first || startsEvery(s, section.stepsPerBar())))
            page().texts << Text{{left() + (s - first) * kStep + 0.5, y_ + 3},
                                 QString::number((s - 1) / section.stepsPerBar() + 1),
                                 Text::BarNumber};
    for (qsizetype line = 0; line < section.names.size(); ++line) {
        const double y = top + (line + 0.5) * kLine;
        page().texts << Text{{kMargin, y + 1.2}, section.names[line], Text::Name};
        page().lines << QLineF(left(), y, right, y);
        for (int s = first; s < first + count; ++s) {
            const int kind = symbolKind(section.levels[line].value(s - 1));
            if (kind >= 0)
                page().symbols << Symbol{
                    {left() + (s - first + 0.5) * kStep, y}, kind, section.names[line], s};
        }
    }
    addGridLines(section, first, count, top, top + section.names.size() * kLine);
}

// A bar line where a bar starts and at both ends of the system, a beat line where a beat does.
void DrumChart::addGridLines(const ChartSection& section, int first, int count, double top,
                             double bottom) {
    for (int s = first; s <= first + count; ++s) {
        const double x = left() + (s - first) * kStep;
        const QLineF line(x, top, x, bottom);
        if (s == first || s == first + count || startsEvery(s, section.stepsPerBar()))
            page().barLines << line;
        else if (startsEvery(s, section.stepsPerBeat))
            page().lines << line;
    }
}
