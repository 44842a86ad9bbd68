// Plays a 16-step pattern at 120 BPM and 4 steps per beat into a virtual device and
// measures every note-on against its ideal time on the step grid: once on an idle UI
// thread, once while the UI thread rebuilds the grid every 500 ms. Then a song of four rows
// with four tempos and steps per beat, measured against the times its rows give. Last the
// MIDI clock at 125 BPM and 5 steps per beat, so most pulses fall between steps: each pulse's
// arrival against the ideal time it carries ("playback_timing SECONDS clock" runs it alone).
#include "beatloft.h"
#include "benchenvironment.h"
#include "form1.h"
#include "pattern/patternview.h"
#include "shared/steptimer.h"
#include "song/song.h"
#include "song/songlist.h"
#include "transport/transport.h"
#include "views/checkarray.h"
#include "views/songgrid.h"
#include "views/taglabel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

struct Figures {
    int notes = 0;
    double driftMs = 0, p50 = 0, p99 = 0, max = 0;
};

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(p * (values.size() - 1) + 0.5))];
}

// Note-on times in milliseconds from the first.
std::vector<double> noteOnTimes(unsigned device) {
    std::vector<double> times;
    std::chrono::steady_clock::time_point first{};
    for (const auto& m : midi::VirtualDevices::received(device)) {
        if (((m.shortMessage >> 16) & 0xFF) == 0) continue;  // the velocity-0 note ends
        if (first == std::chrono::steady_clock::time_point{}) first = m.time;
        times.push_back(std::chrono::duration<double, std::milli>(m.time - first).count());
    }
    return times;
}

Figures figuresOf(const std::vector<double>& deviations) {
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

Figures measure(unsigned device, double periodMs) {
    std::vector<double> deviations;
    for (double at : noteOnTimes(device))
        deviations.push_back(at - std::round(at / periodMs) * periodMs);
    return figuresOf(deviations);
}

// Row 1 sounds note 36, whatever instrument list lies beside the benchmark.
void soundRowOne(Beatloft& program) {
    Pattern pattern = program.patternView().pattern();
    QList<Instrument> rows = pattern.instruments();
    rows[0].tag = QStringLiteral("36");
    pattern.setInstruments(rows);
    program.patternView().show(pattern);
}

struct SongRow {
    int bpm, stepsPerBeat, beats, loops;
};

// Every step of every row sounds; the ideal times follow from the rows alone.
Figures runSong(int seconds) {
    const SongRow rows[] = {{120, 4, 4, 2}, {90, 3, 4, 2}, {140, 2, 4, 2}, {100, 6, 2, 2}};
    const int repeats = std::max(1, seconds / 15);  // the four rows take about 15 s
    const unsigned device = BenchEnvironment::freshOutput();
    Beatloft program;
    Form1& form = program.form();
    soundRowOne(program);
    Song song;
    song.rows = 4;
    std::vector<double> ideal;
    double at = 0;
    for (int r = 1; r <= 4; ++r) {
        const SongRow& row = rows[r - 1];
        StoredPattern& record = song.store[r];
        record.BPM = qint16(row.bpm);
        record.SubDivs = qint16(row.stepsPerBeat);
        record.Takt = qint16(row.beats);
        record.Loops = qint16(row.loops * repeats);
        for (int j = 1; j <= record.stepCount(); ++j) record.setCell(1, j, 3);
        const double step = 60000.0 / (row.bpm * row.stepsPerBeat);
        for (int k = 0; k < record.stepCount() * record.Loops; ++k, at += step) ideal.push_back(at);
    }
    program.songList().setSong(song);
    midi::VirtualDevices::clearReceived(device);
    // A loop of our own: quitting the application's would close the edited window, which
    // asks to save first.
    QEventLoop playing;
    QObject::connect(form.cmdPlySng, &QAbstractButton::toggled, &playing, [&playing](bool down) {
        if (!down) playing.quit();
    });
    form.cmdPlySng->click();
    playing.exec();
    const std::vector<double> played = noteOnTimes(device);
    std::vector<double> deviations;
    for (size_t i = 0; i < std::min(played.size(), ideal.size()); ++i)
        deviations.push_back(played[i] - ideal[i]);
    std::printf("song: %zu of %zu notes, %.1f s\n", played.size(), ideal.size(), at / 1000);
    return figuresOf(deviations);
}

Figures run(int seconds, bool rebuild) {
    const unsigned device = BenchEnvironment::freshOutput();
    Beatloft program;
    Form1& form = program.form();
    form.txtBPM->setText("120");
    soundRowOne(program);
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
    QEventLoop playing;  // not the application's, as above
    QTimer::singleShot(seconds * 1000, &playing, &QEventLoop::quit);
    playing.exec();
    form.BtnPlay->click();
    return measure(device, program.transport().timer().period());
}

// Lateness of each arrival against the time it carried: clock pulses, then note-ons.
std::pair<Figures, Figures> runClock(int seconds) {
    const unsigned device = BenchEnvironment::freshOutput();
    Beatloft program;
    Form1& form = program.form();
    form.txtBPM->setText("125");
    form.txtSubdivs->setText("5");
    soundRowOne(program);
    for (int c = 1; c <= 20; ++c) form.checkArray(c)->setValue(1, 3);
    program.transport().setClockEnabled(true);
    midi::VirtualDevices::clearReceived(device);
    form.BtnPlay->click();
    QEventLoop playing;  // not the application's: quitting that would close the edited window
    QTimer::singleShot(seconds * 1000, &playing, &QEventLoop::quit);
    playing.exec();
    form.BtnPlay->click();
    std::vector<double> pulses, notes;
    for (const auto& m : midi::VirtualDevices::received(device)) {
        const double late = std::chrono::duration<double, std::milli>(m.time - m.stamp).count();
        if (m.shortMessage == 0xF8) pulses.push_back(late);
        if ((m.shortMessage & 0xFF) == 0x99 && (m.shortMessage >> 16) != 0) notes.push_back(late);
    }
    return {figuresOf(pulses), figuresOf(notes)};
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
    const bool clockOnly = argc > 2 && std::strcmp(argv[2], "clock") == 0;
    std::printf("playback timing: 16 steps, 120 BPM, 4 steps per beat, %d s each\n", seconds);
    if (!clockOnly) {
        report("idle UI thread", run(seconds, false));
        report("grid rebuilt every 500 ms", run(seconds, true));
        report("song, four tempos", runSong(seconds));
    }
    const auto [pulses, notes] = runClock(seconds);
    report("clock pulses, 125 BPM, 5 per beat", pulses);
    report("their steps' notes (first one unstamped)", notes);
    return 0;
}
