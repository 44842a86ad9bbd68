// Creating and showing a grid of 48 step columns of 18 cells, as a long pattern needs.
#include "system/twips.h"
#include "system/twipsgeometry.h"
#include "views/checkarray.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int kColumns = 48;
constexpr int kRounds = 21;

struct Round {
    double createMs;
    double showMs;
    double paintMs;
    double showCpuMs;  // processor time: what the grid costs when other work competes
};

double msSince(const QElapsedTimer& timer) {
    return timer.nsecsElapsed() / 1e6;
}

Round buildGrid() {
    QWidget window;
    window.resize(sys::twipsToPixels(240.0 * (kColumns + 2)), 320);
    const std::clock_t cpuStart = std::clock();
    QElapsedTimer timer;
    timer.start();
    for (int j = 1; j <= kColumns; ++j) {
        auto* column = new CheckArray(&window);
        sys::TwipsGeometry::set(column, 240.0 * j, 0, 240, 4320);
    }
    const double created = msSince(timer);
    window.show();
    const double shown = msSince(timer);
    const double shownCpu = 1000.0 * double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    QCoreApplication::processEvents();
    return {created, shown, msSince(timer), shownCpu};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void report(const char* what, const std::vector<Round>& rounds, double Round::*field) {
    std::vector<double> values;
    for (const Round& round : rounds) values.push_back(round.*field);
    std::printf("  %-34s median %6.2f ms   best %6.2f ms\n", what, median(values),
                *std::min_element(values.begin(), values.end()));
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    buildGrid();  // warm-up: first use of styles, fonts and the backing store
    std::vector<Round> rounds;
    for (int i = 0; i < kRounds; ++i) rounds.push_back(buildGrid());
    std::printf(
        "grid_columns: %d columns x %d cells, %d rounds (target: created and shown < 16 ms)\n",
        kColumns, CheckArray::kDefaultRows, kRounds);
    report("created", rounds, &Round::createMs);
    report("created and shown", rounds, &Round::showMs);
    report("created, shown and painted", rounds, &Round::paintMs);
    report("created and shown, processor time", rounds, &Round::showCpuMs);
    return 0;
}
