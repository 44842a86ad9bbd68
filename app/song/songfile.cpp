#include "songfile.h"

#include "form1.h"
#include "shared/dialogfolders.h"
#include "shared/editstep.h"
#include "shared/windowscodepage.h"
#include "song/patternstore.h"
#include "song/songlist.h"
#include "system/dialogs.h"
#include "system/safefilewriter.h"

#include <QDir>
#include <QLineEdit>
#include <algorithm>

namespace {
const QString kExtension = QStringLiteral(".dsg");
}  // namespace

QString SongFile::filter() {
    return tr("Drum-Song (.dsg)|*.dsg|Alle Dateien|*.*");
}

bool SongFile::MnuSaveSong_Click() {
    auto& dialogs = sys::Dialogs::current();
    const QString proposed = dialogfolders::folder(dialogfolders::Kind::Songs, form_.DataPath) +
                             QLatin1Char('/') + form_.txtSongNam->text() + kExtension;
    const QString path = dialogs.saveFile({tr("Song speichern"), proposed, kExtension, filter()});
    if (path.isEmpty()) return false;  // cancelled: nothing is written
    dialogfolders::remember(dialogfolders::Kind::Songs, path);
    const Song& song = songList_.song();
    const QString header = SongCodec::headerText(sys::Dialogs::applicationTitle());
    bool lostCharacters = false;
    const QByteArray bytes = SongCodec::encodeSong(header, song.store, song.rows, &lostCharacters);
    if (!sys::SafeFileWriter::writeFile(path, bytes)) {
        dialogs.message(
            tr("Der Song konnte nicht gespeichert werden:\n%1").arg(QDir::toNativeSeparators(path)),
            sys::MessageButtons::Ok, sys::MessageIcon::Critical);
        return false;
    }
    songList_.setHeader(header);
    emit saved(path);
    if (lostCharacters)
        dialogs.message(lostCharactersText(), sys::MessageButtons::Ok,
                        sys::MessageIcon::Exclamation);
    return true;
}

// While a stored pattern is edited, the rows stay: its edit goes back into its record.
void SongFile::MnuLoadSong_Click() {
    if (songList_.editedRecord() != 0) return;
    const EditStep step(form_.edits, tr("Lade Song"), EditJournal::PatternAndSong);
    QString path = form_.PendingFile;
    form_.PendingFile.clear();
    if (path.isEmpty()) {
        const QString folder = dialogfolders::folder(dialogfolders::Kind::Songs, form_.DataPath);
        path = sys::Dialogs::current().openFile(
            {tr("Song laden"), folder + QStringLiteral("/*") + kExtension, kExtension, filter()});
        dialogfolders::remember(dialogfolders::Kind::Songs, path);
    }
    if (path.isEmpty()) return;  // cancelled: nothing changes and nothing is said
    if (const auto error = load(path))
        sys::Dialogs::current().message(error->message() + QLatin1Char('\n') +
                                        QDir::toNativeSeparators(path));
    else
        emit opened(path);
}

void SongFile::openDocument(const QString& path) {
    form_.PendingFile = path;
    MnuLoadSong_Click();
}

std::optional<SongLoadError> SongFile::load(const QString& path) {
    Song song = songList_.song();
    const auto error = SongCodec::readSong(path, &song);
    if (!error || *error == SongLoadError::tooManyRows()) songList_.setSong(song);
    return error;
}
