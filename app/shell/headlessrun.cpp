#include "headlessrun.h"

#include "beatloft.h"
#include "docs/patternfile.h"
#include "form1.h"
#include "midi/offlinerenderer.h"
#include "playback/patternbounce.h"
#include "system/consoledialogs.h"
#include "system/interruptwatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstring>

namespace {

void fail(const QString& message) {
    std::fprintf(stderr, "beatloft: %s\n", qUtf8Printable(message));
}

// The value after an option, or fallback when the option is absent.
QString optionValue(const QStringList& arguments, const QString& option, const QString& fallback) {
    const qsizetype at = arguments.indexOf(option);
    return at >= 0 && at + 1 < arguments.size() ? arguments[at + 1] : fallback;
}

// The pattern opened as the command line opens one, or none (said on stderr) when it
// cannot be read.
std::unique_ptr<Beatloft> openPattern(const QString& path) {
    auto program = std::make_unique<Beatloft>(QString(), Beatloft::StartMode::Headless);
    if (program->patternFile().openDocument(path)) return program;
    fail(QStringLiteral("Pattern kann nicht gelesen werden: %1").arg(path));
    return nullptr;
}

}  // namespace

bool HeadlessRun::wants(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (!std::strcmp(argv[i], "--render-wav") || !std::strcmp(argv[i], "--play")) return true;
    return false;
}

int HeadlessRun::run(const QStringList& arguments) {
    sys::ConsoleDialogs console;
    sys::Dialogs::install(&console);
    const int code =
        arguments.contains(QStringLiteral("--render-wav")) ? renderWav(arguments) : play(arguments);
    sys::Dialogs::install(nullptr);
    return code;
}

int HeadlessRun::renderWav(const QStringList& arguments) {
    const qsizetype at = arguments.indexOf(QStringLiteral("--render-wav"));
    if (at + 2 >= arguments.size()) {
        fail(QStringLiteral("Aufruf: beatloft --render-wav PATTERN.drm AUSGABE.wav [--loops N]"));
        return 2;
    }
    const QString pattern = arguments[at + 1], output = arguments[at + 2];
    bool ok = false;
    const int loops =
        optionValue(arguments, QStringLiteral("--loops"), QStringLiteral("1")).toInt(&ok);
    if (!ok || loops < 1 || loops > 10000) {
        fail(QStringLiteral("--loops erwartet eine Zahl von 1 bis 10000"));
        return 2;
    }
    const auto program = openPattern(pattern);
    if (!program) return 1;
    const auto take = PatternBounce::of(program->form(), loops);
    if (!take) {
        fail(QStringLiteral("Tempo oder SubDivs des Patterns ergeben keine Schrittlänge"));
        return 1;
    }
    QString error;
    if (!midi::OfflineRenderer::renderToWav(take->messages, take->seconds, output, &error)) {
        fail(QStringLiteral("WAV-Datei nicht geschrieben: %1").arg(error));
        return 1;
    }
    return 0;
}

int HeadlessRun::play(const QStringList& arguments) {
    const qsizetype at = arguments.indexOf(QStringLiteral("--play"));
    if (at + 1 >= arguments.size()) {
        fail(QStringLiteral("Aufruf: beatloft --play PATTERN.drm [--seconds N]"));
        return 2;
    }
    const QString pattern = arguments[at + 1];
    bool ok = true;
    const QString secondsText = optionValue(arguments, QStringLiteral("--seconds"), QString());
    const double seconds = secondsText.isEmpty() ? 0 : secondsText.toDouble(&ok);
    if (!ok || seconds < 0) {
        fail(QStringLiteral("--seconds erwartet eine Zahl ab 0"));
        return 2;
    }
    const auto program = openPattern(pattern);
    if (!program) return 1;
    QAbstractButton* play = program->form().BtnPlay;
    play->click();
    sys::InterruptWatcher interrupts;
    QObject::connect(&interrupts, &sys::InterruptWatcher::interrupted, qApp, &QApplication::quit);
    if (seconds > 0) QTimer::singleShot(int(seconds * 1000), qApp, &QApplication::quit);
    QApplication::exec();
    play->click();
    return 0;
}
