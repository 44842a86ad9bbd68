// Beatloft against a sound server as a desktop has it (a private PulseAudio daemon with a null
// sink at the server's default rate, nothing else playing): start-up until the window is drawn,
// on an X display of its own with an accessibility bus, against a window of one QLabel started
// in turn with it; the notes heard of a fresh `--play` against the offline render; every drum
// onset at the sink's monitor against the step grid with the constant clock ratio of sink and
// system removed (from `--play`, and in the window while the UI thread rebuilds the grid every
// 500 ms); the CPU of an open window that plays nothing, and the server's CPU while a stream
// plays.
#include "beatloft.h"
#include "form1.h"
#include "gridfit.h"
#include "onsetfinder.h"
#include "pattern/patternview.h"
#include "privatedesktop.h"
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
#include <cstdlib>
#include <random>
#include <vector>

#include <unistd.h>

namespace {

constexpr int kRate = 44100;
constexpr double kStepMs = 125;  // 120 BPM, 4 steps per beat
constexpr int kSidestick = 37;
// The sound server still plays what a run wrote last after the program has ended: the
// recording goes on this long (ms).
constexpr int kPlayOut = 300;
// Rounds of the start-up comparison; each round starts both windows once.
constexpr int kStartRounds = 21;

struct Spread {
    double p50 = 0, p99 = 0, max = 0;
};

struct Figures {
    int onsets = 0;
    int expected = 0;
    Spread detrended;    // against the grid stretched to the sink's clock
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

// Onsets in milliseconds from the start of the recording.
std::vector<double> onsets(const std::vector<double>& samples,
                           OnsetFinder::Mark mark = OnsetFinder::Mark::AttackStart) {
    std::vector<double> found =
        OnsetFinder::frames(std::vector<float>(samples.begin(), samples.end()), kRate, mark);
    for (double& at : found) at *= 1000.0 / kRate;
    return found;
}

// The onsets against the step grid, the sink's clock ratio removed (GridFit).
Figures deviations(const std::vector<double>& at, double seconds) {
    Figures f;
    f.onsets = int(at.size());
    f.expected = int(seconds * 1000 / kStepMs);
    if (at.size() < 2) return f;
    const GridFit fit = GridFit::of(at, kStepMs);
    f.detrended = {percentile(fit.jitter, 0.50), percentile(fit.jitter, 0.99),
                   *std::max_element(fit.jitter.begin(), fit.jitter.end())};
    f.sinkPpm = fit.slopePerStep / kStepMs * 1e6;
    return f;
}

// The wall time of one run; events are handled meanwhile, so a recording keeps reading.
// With quitAfterStart the window ends after its first paint and says "drawn" on stdout as
// it does: *drawnMs is when that line came.
double runMs(const QString& program, const QStringList& arguments, bool quitAfterStart = false,
             double* drawnMs = nullptr) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("DISPLAY")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    if (quitAfterStart)
        env.insert(QStringLiteral("BEATLOFT_QUIT_AFTER_START"), QStringLiteral("1"));
    process.setProcessEnvironment(env);
    QEventLoop loop;
    QElapsedTimer clock;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::readyReadStandardOutput, &loop, [&] {
        if (drawnMs && process.readAllStandardOutput().contains("drawn") && *drawnMs < 0)
            *drawnMs = double(clock.nsecsElapsed()) / 1e6;
    });
    if (drawnMs) *drawnMs = -1;
    clock.start();
    process.start(program, arguments);
    loop.exec();
    return double(clock.nsecsElapsed()) / 1e6;
}

// Medians of several starts of a window: until it is drawn, and until it has ended.
struct StartTimes {
    double drawnMs = 0;
    double endedMs = 0;
};

// The program's start against the one-label window's, taken in turns whose order is drawn
// anew each round: this machine's speed drifts over minutes, and a block of runs of one
// program carries that drift into the ratio. The spread is that of the rounds' own ratios.
struct StartComparison {
    StartTimes program;
    StartTimes label;
    double ratioLow = 0;  // 25th and 75th percentile of the per-round ratios of drawing
    double ratioHigh = 0;
};

StartComparison compareStarts(int rounds, const QString& program, const QString& label) {
    std::vector<double> drawn[2], ended[2], ratios;
    std::mt19937 random(std::random_device{}());
    for (int round = 0; round < rounds; ++round) {
        const bool labelFirst = random() % 2;
        double drawnMs[2] = {-1, -1};
        for (int turn = 0; turn < 2; ++turn) {
            const int which = turn ^ int(labelFirst);  // 0: the program, 1: the label
            ended[which].push_back(runMs(which == 0 ? program : label, {}, true, &drawnMs[which]));
            drawn[which].push_back(drawnMs[which]);
        }
        ratios.push_back(drawnMs[0] / drawnMs[1]);
    }
    return {{median(drawn[0]), median(ended[0])},
            {median(drawn[1]), median(ended[1])},
            percentile(ratios, 0.25),
            percentile(ratios, 0.75)};
}

// Both windows started on a desktop of their own with its accessibility bus, as a user's
// are; without Xvfb, offscreen.
StartComparison startsOnDesktop(const QString& program, const QString& label) {
    const PrivateDesktop desktop;
    if (!desktop.isRunning())
        std::printf("sound_server: start-up offscreen: %s\n", qPrintable(desktop.reason()));
    runMs(program, {}, true);  // once, so both start from a warm file cache
    runMs(label, {}, true);
    return compareStarts(kStartRounds, program, label);
}

void wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// CPU time of a process so far, in seconds.
double cpuSeconds(qint64 pid) {
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly)) return 0;
    const QByteArray stat = file.readAll();
    // The fields after the command's closing parenthesis; utime and stime are the 12th and 13th.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13) return 0;
    return double(fields[11].toLongLong() + fields[12].toLongLong()) / double(sysconf(_SC_CLK_TCK));
}

// The samples of a 16-bit stereo WAV file the program wrote, mixed to mono.
std::vector<double> wavSamples(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    const qsizetype data = bytes.indexOf("data");
    std::vector<double> samples;
    for (qsizetype i = data + 8; data >= 0 && i + 4 <= bytes.size(); i += 4)
        samples.push_back((qFromLittleEndian<qint16>(bytes.constData() + i) +
                           qFromLittleEndian<qint16>(bytes.constData() + i + 2)) /
                          65536.0);
    return samples;
}

// The notes heard at the sink while a fresh `--play` runs for the given time, and the notes
// of the offline render of the same pattern up to that time.
std::pair<int, int> notesHeard(const QString& program, const QString& pattern, int seconds,
                               const QString& folder) {
    Recording recording;
    runMs(program, {QStringLiteral("--play"), pattern, QStringLiteral("--seconds"),
                    QString::number(seconds)});
    wait(kPlayOut);
    const int heard = int(onsets(recording.stop()).size());
    const QString wav = folder + QStringLiteral("/offline.wav");
    runMs(program, {QStringLiteral("--render-wav"), pattern, wav, QStringLiteral("--loops"),
                    QStringLiteral("10")});
    std::vector<double> rendered = wavSamples(wav);
    rendered.resize(std::min(rendered.size(), size_t(seconds) * kRate));
    return {heard, int(onsets(rendered).size())};
}

// The CPU share of one core that an open window takes while nothing plays, after it has
// been open for a while.
double idleWindowCpu(const QString& program) {
    QProcess window;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("DISPLAY")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    window.setProcessEnvironment(env);
    window.start(program, QStringList{});
    if (!window.waitForStarted(5000)) {
        std::printf("sound_server: the window did not start: %s\n",
                    qPrintable(window.errorString()));
        return -1;
    }
    wait(6000);
    const double before = cpuSeconds(window.processId());
    wait(10000);
    const double used = cpuSeconds(window.processId()) - before;
    window.terminate();
    if (!window.waitForFinished(5000)) window.kill();
    window.waitForFinished(5000);
    return used / 10 * 100;
}

// The recording of a --play.
std::vector<double> headlessPlay(const QString& program, const QString& pattern, int seconds,
                                 qint64 serverPid, double* serverCpu) {
    Recording recording;
    const double cpu = cpuSeconds(serverPid);
    const double ms = runMs(program, {QStringLiteral("--play"), pattern,
                                      QStringLiteral("--seconds"), QString::number(seconds)});
    *serverCpu = (cpuSeconds(serverPid) - cpu) / ms * 1000 * 100;
    wait(kPlayOut);
    return recording.stop();
}

// The recording of the window's Play while the grid is rebuilt.
std::vector<double> windowPlay(int seconds) {
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
    // Long enough for an idle stream to pause: Play must wake it without losing a note.
    wait(5000);
    Recording recording;
    QTimer rebuilder;
    bool wide = false;
    QObject::connect(&rebuilder, &QTimer::timeout, [&] {
        wide = !wide;
        const int columns = wide ? 48 : 16;
        form.txtSpalt->setText(QString::number(columns));
        // Every step keeps its one sidestick, so there is one onset a step at either width.
        for (int c = 1; c <= columns; ++c) form.checkArray(c)->setValue(1, 3);
    });
    rebuilder.start(500);
    form.BtnPlay->click();
    // A loop of our own: quitting the application's would close the edited window, which
    // asks to save first.
    QEventLoop playing;
    QTimer::singleShot(seconds * 1000, &playing, &QEventLoop::quit);
    playing.exec();
    form.BtnPlay->click();
    rebuilder.stop();
    wait(3000);  // notes of a stream that started late come after their time
    return recording.stop();
}

double loadAverage() {
    double load[1] = {0};
    return getloadavg(load, 1) == 1 ? load[0] : -1;
}

void report(const char* title, const Figures& f) {
    std::printf(
        "%-48s notes %4d of %4d steps; trend (sink clock against the system's) %+.0f ppm\n"
        "%-48s trend removed: p50 %6.3f ms  p99 %6.3f ms  max %6.3f ms  (load %.2f)\n",
        title, f.onsets, f.expected, f.sinkPpm, "", f.detrended.p50, f.detrended.p99,
        f.detrended.max, loadAverage());
    std::fflush(stdout);
}

// Onsets marked at the attack's start and where they pass 0.08.
void reportBoth(const QByteArray& title, const std::vector<double>& samples, int seconds) {
    report(title + ", attack start",
           deviations(onsets(samples, OnsetFinder::Mark::AttackStart), seconds));
    report(title + ", at 0.08", deviations(onsets(samples, OnsetFinder::Mark::Crossing), seconds));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PrivateSoundServer server(PrivateSoundServer::Setup::Plain);
    if (!server.isRunning()) {
        std::printf("sound_server: skipped, no sound server: %s\n", qPrintable(server.reason()));
        return 0;
    }
    const int seconds = argc > 1 ? std::max(2, std::atoi(argv[1])) : 20;
    QTemporaryDir sandbox;
    qputenv("XDG_CONFIG_HOME", sandbox.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", sandbox.filePath(QStringLiteral("data")).toLocal8Bit());
    qunsetenv("BEATLOFT_MIDI_BACKENDS");
    sys::ConsoleDialogs console;
    sys::Dialogs::install(&console);
    const QString bin = QCoreApplication::applicationDirPath();
    const QString program = bin + QStringLiteral("/../bin/beatloft");
    const QString labelWindow = bin + QStringLiteral("/helpers/label_window");
    const QString standard = bin + QStringLiteral("/../bin/Std.drm");

    const StartComparison starts = startsOnDesktop(program, labelWindow);
    const StartTimes& start = starts.program;
    const StartTimes& label = starts.label;
    std::printf(
        "sound_server: exec until the window is drawn: %.1f ms, one QLabel %.1f ms, x%.2f (rounds "
        "x%.2f-x%.2f); until it has ended: %.1f ms, one QLabel %.1f ms, x%.2f (median of %d "
        "rounds in shuffled turns, load %.2f)\n",
        start.drawnMs, label.drawnMs, start.drawnMs / label.drawnMs, starts.ratioLow,
        starts.ratioHigh, start.endedMs, label.endedMs, start.endedMs / label.endedMs, kStartRounds,
        loadAverage());
    const auto [heard, rendered] = notesHeard(program, standard, 6, sandbox.path());
    std::printf(
        "sound_server: --play Std.drm --seconds 6 on a fresh stream: %d notes heard of %d in the "
        "offline render (load %.2f)\n",
        heard, rendered, loadAverage());
    std::printf("sound_server: onsets at the sink, 120 BPM, 4 steps per beat, %d s each\n",
                seconds);
    double serverCpu = 0;
    reportBoth("--play, headless",
               headlessPlay(program, OnsetFinder::writeSidestickPattern(sandbox.path()), seconds,
                            server.daemonPid(), &serverCpu),
               seconds);
    std::printf("sound_server: the sound server's CPU while --play runs: %.2f %% of a core\n",
                serverCpu);
    reportBoth("window, grid rebuilt every 500 ms", windowPlay(seconds), seconds);
    std::printf(
        "sound_server: CPU of an open window that plays nothing: %.2f %% of a core (load %.2f)\n",
        idleWindowCpu(program), loadAverage());
    sys::Dialogs::install(nullptr);
    return 0;
}
