#include "wavexport.h"

#include "form1.h"
#include "midi/offlinerenderer.h"
#include "pattern/patternview.h"
#include "pattern/rowmix.h"
#include "song/songbounce.h"
#include "song/songlist.h"
#include "system/dialogs.h"
#include "views/mainmenubar.h"

#include <QAction>
#include <QDir>
#include <QEventLoop>
#include <QLineEdit>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <memory>

namespace {
constexpr int kPollMs = 50;
}

WavExport::WavExport(Form1& form, PatternView& view, SongList& songList, const RowMix& mix)
    : form_(form), view_(view), songList_(songList), mix_(mix) {
    connect(form.Menus->MnuWavPattern, &QAction::triggered, this, [this] { exportWav(Pattern); });
    connect(form.Menus->MnuWavSong, &QAction::triggered, this, [this] { exportWav(Song); });
}

std::optional<PatternBounce::Take> WavExport::take(Mode mode) const {
    const ::Pattern sounding = mix_.applied(view_.pattern());
    return mode == Pattern ? PatternBounce::of(sounding, 1)
                           : SongBounce::of(songList_.song(), sounding, 1);
}

QString WavExport::askPath(Mode mode) const {
    const QString name = (mode == Pattern ? form_.txtPatNam : form_.txtSongNam)->text();
    const QString title =
        mode == Pattern ? tr("Pattern als WAV exportieren") : tr("Song als WAV exportieren");
    return sys::Dialogs::current().saveFile(
        {title, form_.DataPath + QLatin1Char('/') + name + QStringLiteral(".wav"),
         QStringLiteral(".wav"), tr("WAV (.wav)|*.wav|Alle Dateien|*.*")});
}

void WavExport::exportWav(Mode mode) {
    auto& dialogs = sys::Dialogs::current();
    const auto bounced = take(mode);
    if (!bounced || bounced->tooManyMessages) {
        dialogs.message(!bounced ? tr("Tempo oder SubDivs ergeben keine Schrittlänge.")
                                 : tr("Zu viele Noten für eine WAV-Datei."),
                        sys::MessageButtons::Ok, sys::MessageIcon::Exclamation);
        return;
    }
    const QString path = askPath(mode);
    if (path.isEmpty()) return;
    QString error;
    if (render(*bounced, path, &error) == Outcome::Failed)
        dialogs.message(tr("Die WAV-Datei konnte nicht geschrieben werden:\n%1\n%2")
                            .arg(QDir::toNativeSeparators(path), error),
                        sys::MessageButtons::Ok, sys::MessageIcon::Critical);
}

// The window goes on handling events while the worker renders; the dialog follows the
// worker's progress, and its Abbrechen stops the render at the next block.
WavExport::Outcome WavExport::render(const PatternBounce::Take& take, const QString& path,
                                     QString* error) {
    std::atomic<bool> cancelled{false};
    std::atomic<int> percent{0};
    bool written = false;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        written = midi::OfflineRenderer::renderToWav(
            take.messages, take.seconds, path, error, [&cancelled] { return cancelled.load(); },
            [&percent](double done) { percent = int(done * 100); });
    }));
    QProgressDialog dialog(tr("WAV-Datei wird geschrieben …"), tr("Abbrechen"), 0, 100, &form_);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setAutoReset(false);
    dialog.setMinimumDuration(0);
    connect(&dialog, &QProgressDialog::canceled, this, [&cancelled] { cancelled = true; });
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        dialog.setValue(percent);
        emit progressShown(percent);
    });
    QEventLoop loop;
    connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    poll.start(kPollMs);
    loop.exec();
    worker->wait();
    if (written) return Outcome::Written;
    return cancelled ? Outcome::Cancelled : Outcome::Failed;
}
