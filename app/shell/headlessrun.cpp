#include "headlessrun.h"

#include "form1.h"
#include "midi/offlinerenderer.h"
#include "playback/patternbounce.h"
#include "shell/commandline.h"
#include "system/consoledialogs.h"
#include "system/interruptwatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace {

void fail(const QString& message) {
    std::fprintf(stderr, "beatloft: %s\n", qUtf8Printable(message));
}

// The pattern opened as the command line opens one, or none (said on stderr) when it
// cannot be read.
std::unique_ptr<Form1> openPattern(const QString& path) {
    auto form = std::make_unique<Form1>(QString(), Form1::StartMode::Headless);
    if (form->openPatternDocument(path)) return form;
    fail(QStringLiteral("Pattern kann nicht gelesen werden: %1").arg(path));
    return nullptr;
}

}  // namespace

int HeadlessRun::run(const CommandLine& line) {
    sys::ConsoleDialogs console;
    sys::Dialogs::install(&console);
    const int code =
        line.command() == CommandLine::Command::RenderWav ? renderWav(line) : play(line);
    sys::Dialogs::install(nullptr);
    return code;
}

int HeadlessRun::renderWav(const CommandLine& line) {
    const QStringList files = line.operands();
    const int loops = line.value(QStringLiteral("--loops"), QStringLiteral("1")).toInt();
    const auto form = openPattern(files.value(0));
    if (!form) return 1;
    const auto take = PatternBounce::of(*form, loops);
    if (!take) {
        fail(QStringLiteral("Tempo oder SubDivs des Patterns ergeben keine Schrittlänge"));
        return 1;
    }
    QString error;
    if (!midi::OfflineRenderer::renderToWav(take->messages, take->seconds, files.value(1), &error,
                                            &sys::InterruptWatcher::hasCaught)) {
        fail(QStringLiteral("WAV-Datei nicht geschrieben: %1").arg(error));
        return 1;
    }
    return 0;
}

int HeadlessRun::play(const CommandLine& line) {
    // Watching from the start: a Ctrl+C while the pattern loads ends the run at once.
    sys::InterruptWatcher interrupts;
    QObject::connect(&interrupts, &sys::InterruptWatcher::interrupted, qApp, &QApplication::quit);
    const auto form = openPattern(line.operands().value(0));
    if (!form) return 1;
    form->BtnPlay->click();
    const QString seconds = line.value(QStringLiteral("--seconds"));
    if (!seconds.isEmpty())
        QTimer::singleShot(std::chrono::milliseconds(std::llround(seconds.toDouble() * 1000)), qApp,
                           &QApplication::quit);
    QApplication::exec();
    form->BtnPlay->click();
    return 0;
}
