// Real-time behaviour of the program's timers, measured rather than asserted: the step
// timer's tenth tick of 20 ms (never early), its ticks after a stall of more than three
// periods (no burst), and the auto-repeat of a held rotate button (first delay, period).
#include "beatloft.h"
#include "benchenvironment.h"
#include "form1.h"
#include "pattern/patterncommands.h"
#include "shared/steptimer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <cstdio>

namespace {

void waitUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void tenthTick() {
    StepTimer timer;
    int ticks = 0;
    QElapsedTimer clock;
    qint64 tenth = 0;
    QObject::connect(&timer, &StepTimer::timeout, [&] {
        if (++ticks == 10) {
            tenth = clock.elapsed();
            timer.setEnabled(false);
        }
    });
    timer.setInterval(20, 20.0);
    clock.start();
    timer.setEnabled(true);
    waitUntil([&] { return !timer.isEnabled(); }, 10000);
    std::printf("step timer: tenth tick of 20 ms after %lld ms (ideal 200, never earlier)%s\n",
                static_cast<long long>(tenth), tenth >= 199 ? "" : "  EARLY");
}

void stall() {
    StepTimer timer;
    int ticks = 0;
    QObject::connect(&timer, &StepTimer::timeout, [&] {
        if (++ticks == 1) QThread::msleep(75);  // a slow handler: more than three periods
    });
    timer.setInterval(20, 20.0);
    timer.setEnabled(true);
    waitUntil([&] { return timer.skipped() >= 2; }, 5000);
    const int heard = ticks;
    QElapsedTimer clock;
    clock.start();
    waitUntil([] { return false; }, 100);
    const int after = ticks - heard;
    std::printf(
        "step timer: %lld ticks skipped after a 75 ms stall, then %d ticks in %lld ms "
        "(at most %lld: no burst)\n",
        timer.skipped(), after, static_cast<long long>(clock.elapsed()),
        static_cast<long long>(clock.elapsed() / 20 + 1));
    timer.setEnabled(false);
}

void heldRotation() {
    BenchEnvironment environment;
    BenchEnvironment::freshOutput();
    Beatloft program;
    Form1& form = program.form();
    QElapsedTimer held;
    QList<qint64> ticks;
    QObject::connect(form.tmrRepeatEvent, &QTimer::timeout, [&] { ticks << held.elapsed(); });
    held.start();
    QTest::mousePress(form.ButMoveRight, Qt::LeftButton);
    waitUntil([&] { return ticks.size() >= 3; }, 5000);
    QTest::mouseRelease(form.ButMoveRight, Qt::LeftButton);
    if (ticks.size() < 3) return void(std::puts("held rotation: fewer than 3 repeats in 5 s"));
    std::printf(
        "held rotation: first repeat after %lld ms (wanted >= %d), then every %lld ms "
        "(wanted >= %d)\n",
        static_cast<long long>(ticks[0]), PatternCommands::kFirstRepeatMs,
        static_cast<long long>(ticks[2] - ticks[1]), PatternCommands::kRepeatMs);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tenthTick();
    stall();
    heldRotation();
    return 0;
}
