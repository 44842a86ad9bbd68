// Plays a 16-step pattern at 120 BPM and 4 steps per beat into a virtual device and
// measures every note-on against its ideal time on the step grid: once on an idle UI
// thread, once while the UI thread rebuilds the grid every 500 ms.
#include "beatloft.h"
#include "benchenvironment.h"
#include "form1.h"
#include "shared/checkarray.h"
#include "shared/taglabel.h"
#include "shared/steptimer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

struct Figures {
    int notes = 0;
    double driftMs = 0, p50 = 0, p99 = 0, max = 0;
};

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(p * (values.size() - 1) + 0.5))];
}

Figures measure(unsigned device, double periodMs) {
    std::vector<double> deviations;
    const auto received = midi::VirtualDevices::received(device);
    std::chrono::steady_clock::time_point first{};
    for (const auto& m : received) {
        if (((m.shortMessage >> 16) & 0xFF) == 0) continue;  // the velocity-0 note ends
        if (first == std::chrono::steady_clock::time_point{}) first = m.time;
        const double at = std::chrono::duration<double, std::milli>(m.time - first).count();
        const double k = std::round(at / periodMs);
        deviations.push_back(at - k * periodMs);
    }
    Figures f;
    f.notes = int(deviations.size());
    if (deviations.empty()) return f;
    f.driftMs = deviations.back();
    std::vector<double> magnitudes;
    for (double d : deviations) magnitudes.push_back(std::fabs(d));
    f.p50 = percentile(magnitudes, 0.50);
    f.p99 = percentile(magnitudes, 0.99);
    f.max = *std::max_element(magnitudes.begin(), magnitudes.end());
    return f;
}

Figures run(int seconds, bool rebuild) {
    const unsigned device = BenchEnvironment::freshOutput();
    Beatloft program;
    Form1& form = program.form();
    form.txtBPM->setText("120");
    form.Label(1)->setTag("36");  // whatever instrument list lies beside the benchmark
    for (int c = 1; c <= 16; ++c) form.checkArray(c)->setValue(1, 3);
    midi::VirtualDevices::clearReceived(device);
    QTimer rebuilder;
    bool wide = false;
    QObject::connect(&rebuilder, &QTimer::timeout, [&] {
        wide = !wide;
        form.txtSpalt->setText(wide ? "48" : "16");
    });
    if (rebuild) rebuilder.start(500);
    form.BtnPlay->click();
    QTimer::singleShot(seconds * 1000, qApp, &QApplication::quit);
    QApplication::exec();
    form.BtnPlay->click();
    return measure(device, form.tmrPlay->period());
}

void report(const char* title, const Figures& f) {
    std::printf("%-34s notes %5d  drift %+7.3f ms  p50 %6.3f ms  p99 %6.3f ms  max %6.3f ms\n",
                title, f.notes, f.driftMs, f.p50, f.p99, f.max);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    BenchEnvironment environment;
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    std::printf("playback timing: 16 steps, 120 BPM, 4 steps per beat, %d s each\n", seconds);
    report("idle UI thread", run(seconds, false));
    report("grid rebuilt every 500 ms", run(seconds, true));
    return 0;
}
