// Beatloft against a real sound server (a private PulseAudio daemon with a null sink): start-up
// until the window is up, the wall time of a headless play, and every drum onset heard at the null
// sink's monitor measured against the step grid, once from `--play` and once in the window
// while the UI thread rebuilds the grid every 500 ms.
#include "beatloft.h"
#include "form1.h"
#include "pattern/patternview.h"
#include "privatesoundserver.h"
#include "system/consoledialogs.h"
#include "views/checkarray.h"
#include "views/taglabel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kStepMs = 125;  // 120 BPM, 4 steps per beat
constexpr int kSidestick = 37;

struct Spread {
    double p50 = 0, p99 = 0, max = 0;
};

struct Figures {
    int onsets = 0;
    int expected = 0;
    Spread onGrid;       // against the step grid on the recording's time axis
    Spread onSinkClock;  // against the grid stretched to the sink's clock
    double sinkPpm = 0;  // how much longer a step lasts on the sink's clock
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(p * double(values.size() - 1) + 0.5))];
}

// Records the default source (the null sink's monitor) as 16-bit mono.
class Recording {
public:
    Recording() {
        parec_.start(QStringLiteral("parec"),
                     {QStringLiteral("--raw"), QStringLiteral("--format=s16le"),
                      QStringLiteral("--channels=1"), QStringLiteral("--rate=%1").arg(kRate),
                      QStringLiteral("--latency-msec=20")});
        parec_.waitForStarted(5000);
        QObject::connect(&parec_, &QProcess::readyReadStandardOutput,
                         [this] { bytes_ += parec_.readAllStandardOutput(); });
    }
    std::vector<double> stop() {
        parec_.terminate();
        parec_.waitForFinished(5000);
        bytes_ += parec_.readAllStandardOutput();
        std::vector<double> samples(size_t(bytes_.size() / 2));
        for (size_t i = 0; i < samples.size(); ++i)
            samples[i] = qFromLittleEndian<qint16>(bytes_.constData() + 2 * i) / 32768.0;
        return samples;
    }

private:
    QProcess parec_;
    QByteArray bytes_;
};

// Onsets in milliseconds from the start of the recording: where the signal first rises
// above kHigh after at least 15 ms below kLow, refined by linear interpolation between the
// two samples around the crossing.
std::vector<double> onsets(const std::vector<double>& samples) {
    constexpr double kHigh = 0.08, kLow = 0.03;
    constexpr int kQuietNeeded = kRate * 15 / 1000;
    std::vector<double> found;
    bool armed = true;
    int quiet = 0;
    for (size_t i = 1; i < samples.size(); ++i) {
        const double level = std::fabs(samples[i]);
        if (armed && level >= kHigh) {
            const double before = std::fabs(samples[i - 1]);
            const double fraction = (kHigh - before) / (level - before);
            found.push_back((double(i - 1) + fraction) * 1000.0 / kRate);
            armed = false;
        }
        quiet = level < kLow ? quiet + 1 : 0;
        if (quiet >= kQuietNeeded) armed = true;
    }
    return found;
}

// Deviation of every onset from a grid of the given step whose phase is the median phase
// of all onsets, so an early or late first note counts like any other.
Spread spread(const std::vector<double>& at, const std::vector<double>& steps, double step) {
    std::vector<double> phases;
    for (size_t i = 0; i < at.size(); ++i) phases.push_back(at[i] - steps[i] * step);
    const double phase = median(phases);
    std::vector<double> magnitudes;
    for (double p : phases) magnitudes.push_back(std::fabs(p - phase));
    return {percentile(magnitudes, 0.50), percentile(magnitudes, 0.99),
            *std::max_element(magnitudes.begin(), magnitudes.end())};
}

// The recording runs on the sink's clock, which may run a little fast or slow against the
// program's steady clock (a sound card by some tens of parts per million): the median of
// the step lengths between all pairs of onsets is the step on the sink's clock.
double sinkStep(const std::vector<double>& at, const std::vector<double>& steps) {
    std::vector<double> lengths;
    for (size_t i = 0; i < at.size(); ++i)
        for (size_t j = i + 1; j < at.size(); ++j)
            if (steps[j] - steps[i] >= 8)
                lengths.push_back((at[j] - at[i]) / (steps[j] - steps[i]));
    return lengths.empty() ? kStepMs : median(lengths);
}

Figures deviations(const std::vector<double>& at, double seconds) {
    Figures f;
    f.onsets = int(at.size());
    f.expected = int(seconds * 1000 / kStepMs);
    if (at.empty()) return f;
    std::vector<double> steps;
    for (double t : at) steps.push_back(std::round((t - at[0]) / kStepMs));
    f.onGrid = spread(at, steps, kStepMs);
    const double step = sinkStep(at, steps);
    f.onSinkClock = spread(at, steps, step);
    f.sinkPpm = (step / kStepMs - 1) * 1e6;
    return f;
}

// The wall time of one run of the program; events are handled meanwhile, so a recording
// keeps reading.
double runMs(const QString& program, const QStringList& arguments, bool quitAfterStart) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    if (quitAfterStart)
        env.insert(QStringLiteral("BEATLOFT_QUIT_AFTER_START"), QStringLiteral("1"));
    process.setProcessEnvironment(env);
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    loop.exec();
    return double(clock.nsecsElapsed()) / 1e6;
}

double medianRunMs(int runs, const QString& program, const QStringList& arguments,
                   bool quitAfterStart) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) times.push_back(runMs(program, arguments, quitAfterStart));
    return median(times);
}

// One sidestick on every one of 16 steps at 120 BPM.
QString writeBenchPattern(const QString& folder) {
    const QString path = folder + QStringLiteral("/onsets.drm");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    QByteArray row;
    for (int i = 0; i < 16; ++i) row += " 3 ,";
    file.write(
        "\"Onsets\"\r\nTaktzahl, 4, Taktnenner, 4, SubDivs, 4, BPM, 120\r\n"
        "\"Sidestick\",37\r\n" +
        row + "\r\n");
    return path;
}

Figures headlessOnsets(const QString& program, const QString& pattern, int seconds) {
    Recording recording;
    runMs(
        program,
        {QStringLiteral("--play"), pattern, QStringLiteral("--seconds"), QString::number(seconds)},
        false);
    return deviations(onsets(recording.stop()), seconds);
}

Figures windowOnsets(int seconds) {
    Beatloft program;
    Form1& form = program.form();
    form.txtBPM->setText(QStringLiteral("120"));
    form.txtSubdivs->setText(QStringLiteral("4"));
    form.txtSpalt->setText(QStringLiteral("16"));
    Pattern pattern = program.patternView().pattern();
    QList<Instrument> rows = pattern.instruments();
    rows[0].tag = QString::number(kSidestick);
    pattern.setInstruments(rows);
    program.patternView().show(pattern);
    for (int c = 1; c <= 16; ++c)
        for (int r = 1; r <= form.checkArray(c)->nElements(); ++r)
            form.checkArray(c)->setValue(r, r == 1 ? 3 : 0);
    QCoreApplication::processEvents();
    Recording recording;
    QTimer rebuilder;
    bool wide = false;
    QObject::connect(&rebuilder, &QTimer::timeout, [&] {
        wide = !wide;
        form.txtSpalt->setText(wide ? QStringLiteral("48") : QStringLiteral("16"));
    });
    rebuilder.start(500);
    form.BtnPlay->click();
    QTimer::singleShot(seconds * 1000, qApp, &QApplication::quit);
    QApplication::exec();
    form.BtnPlay->click();
    rebuilder.stop();
    return deviations(onsets(recording.stop()), seconds);
}

void report(const char* title, const Figures& f) {
    std::printf("%-36s onsets %4d of %4d steps, step on the sink's clock %+.0f ppm\n", title,
                f.onsets, f.expected, f.sinkPpm);
    for (const auto& [grid, s] : {std::pair{"  against the 125 ms grid", f.onGrid},
                                  std::pair{"  against the sink's clock", f.onSinkClock}})
        std::printf("%-36s p50 %6.3f ms  p99 %6.3f ms  max %6.3f ms\n", grid, s.p50, s.p99, s.max);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PrivateSoundServer server;
    if (!server.isRunning()) {
        std::printf("sound_server: skipped, no sound server: %s\n", qPrintable(server.reason()));
        return 0;
    }
    const int seconds = argc > 1 ? std::max(2, std::atoi(argv[1])) : 20;
    QTemporaryDir sandbox;
    qputenv("XDG_CONFIG_HOME", sandbox.path().toLocal8Bit());
    qunsetenv("BEATLOFT_MIDI_BACKENDS");
    sys::ConsoleDialogs console;
    sys::Dialogs::install(&console);
    const QString program =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/beatloft");
    const QString standard =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/Std.drm");

    std::printf(
        "sound_server: start until the window is up, whole process: %7.1f ms (median of 5)\n",
        medianRunMs(5, program, {}, true));
    std::fflush(stdout);
    std::printf(
        "sound_server: --play Std.drm --seconds 6, wall time:        %7.1f ms (median of 3)\n",
        medianRunMs(
            3, program,
            {QStringLiteral("--play"), standard, QStringLiteral("--seconds"), QStringLiteral("6")},
            false));
    std::printf("sound_server: onsets at the sink, 120 BPM, 4 steps per beat, %d s each\n",
                seconds);
    report("--play, headless", headlessOnsets(program, writeBenchPattern(sandbox.path()), seconds));
    report("window, grid rebuilt every 500 ms", windowOnsets(seconds));
    sys::Dialogs::install(nullptr);
    return 0;
}
