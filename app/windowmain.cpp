#include "beatloft.h"
#include "form1.h"
#include "midi/midiservices.h"
#include "shared/appversion.h"
#include "shared/uilanguage.h"
#include "shell/afterfirstpaint.h"
#include "shell/quitguard.h"
#include "system/documenttypes.h"
#include "system/fontconfigreader.h"
#include "system/interruptwatcher.h"
#include "system/programfolder.h"
#include "views/lazyiconstyle.h"

#include <sched.h>
#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QIcon>
#include <QPixmap>
#include <cstdio>
#include <future>
#include <thread>

namespace {

// The window's icon is read on a thread that runs only while a core is idle, as the window is
// built, and given to the window once it is drawn. No picture read before the first paint
// leaves Qt to guess its format, which would load every image plugin installed to ask each:
// the group boxes' frames are read as PNG (GroupBoxFrame), and the style leaves the pictures
// of the bars' overflow buttons until they show.
std::future<QImage> readIconAside() {
    return std::async(std::launch::async, [] {
        const sched_param idle{};
        sched_setscheduler(0, SCHED_IDLE, &idle);  // this thread only
        return sys::DocumentTypes::iconImage();
    });
}

}  // namespace

// The window, run by the program when its command line asks for one: the application, the
// main window and its event loop. Returns the exit code.
extern "C" Q_DECL_EXPORT int beatloftRunWindow(int argc, char** argv) {
    // Read while the application connects to the display. Read while this module loaded, it
    // slowed the loading by more than it saved: every page the loader protects or unmaps
    // then has to be flushed from the other core too.
    sys::FontConfigReader::start();
    QApplication app(argc, argv);
    // The font database is filled on a thread while the window is built, from the font
    // configuration read as the application connected, and the application's font is looked
    // up once there: that resolves its family's fallbacks, which the database keeps for every
    // thread. The first text the window measures then finds both ready. Ended before the
    // application.
    const std::jthread fonts([] {
        sys::FontConfigReader::wait();
        QFontDatabase::families();
        QFontMetrics(QGuiApplication::font()).height();
    });
    auto icon = readIconAside();
    LazyIconStyle::install();
    QApplication::setApplicationName(QStringLiteral("Beatloft"));
    QApplication::setApplicationVersion(appversion::text());
    UiLanguage::install(app);

    Beatloft program(sys::ProgramFolder::rawCommandLine(QApplication::arguments()));
    new AfterFirstPaint(&program.form(), [&icon] {  // the icon waits for the first paint
        QApplication::setWindowIcon(QIcon(QPixmap::fromImage(icon.get())));
    });
    // The synthesizer's sound font and engines load once the window is up.
    new AfterFirstPaint(&program.form(), [] { midi::MidiServices::instance().startPreparing(); });
    // For start-up measurements: say so and end as soon as the window has been drawn.
    if (qEnvironmentVariableIsSet("BEATLOFT_QUIT_AFTER_START"))
        new AfterFirstPaint(&program.form(), [] {
            std::puts("drawn");
            std::fflush(stdout);
            QApplication::closeAllWindows();
        });
    sys::InterruptWatcher interrupts;
    QObject::connect(&interrupts, &sys::InterruptWatcher::interrupted, &app, [&program] {
        program.quitGuard().endWithoutAsking();
        QApplication::closeAllWindows();
    });
    const int code = QApplication::exec();
    midi::MidiServices::instance().finishPreparing();  // a short run may end before it
    return code;
}
