#include "songfile.h"

#include "form1.h"
#include "shared/editstep.h"
#include "shared/patternstore.h"
#include "shared/songgrid.h"
#include "shared/windowscodepage.h"
#include "song/songlist.h"
#include "system/dialogs.h"
#include "system/safefilewriter.h"

#include <QDir>
#include <QLineEdit>
#include <algorithm>

const QString SongFile::kFilter = QStringLiteral("Drum-Song (.dsg)|*.dsg|Alle Dateien|*.*");

namespace {
const QString kExtension = QStringLiteral(".dsg");
}  // namespace

void SongFile::MnuSaveSong_Click() {
    auto& dialogs = sys::Dialogs::current();
    const QString proposed =
        form_.DataPath + QLatin1Char('/') + form_.txtSongNam->text() + kExtension;
    const QString path =
        dialogs.saveFile({QStringLiteral("Song speichern"), proposed, kExtension, kFilter});
    if (path.isEmpty()) return;  // cancelled: nothing is written
    form_.SongHeader = SongCodec::headerText(sys::Dialogs::applicationTitle());
    const int songRows = songList_.songRows();
    form_.SongRowCount = qint16(std::min(songRows, PatternStore::kMaxSongRows));
    bool lostCharacters = false;
    const QByteArray bytes =
        SongCodec::encodeSong(form_.SongHeader, form_.PatternStore, songRows, &lostCharacters);
    if (!sys::SafeFileWriter::writeFile(path, bytes))
        dialogs.message(QStringLiteral("Der Song konnte nicht gespeichert werden:\n%1")
                            .arg(QDir::toNativeSeparators(path)),
                        sys::MessageButtons::Ok, sys::MessageIcon::Critical);
    else if (lostCharacters)
        dialogs.message(lostCharactersText(), sys::MessageButtons::Ok,
                        sys::MessageIcon::Exclamation);
}

void SongFile::MnuLoadSong_Click() {
    const EditStep step(form_.edits, QStringLiteral("Lade Song"), EditJournal::PatternAndSong);
    QString path = form_.PendingFile;
    form_.PendingFile.clear();
    if (path.isEmpty())
        path = sys::Dialogs::current().openFile({QStringLiteral("Song laden"),
                                                 form_.DataPath + QStringLiteral("/*") + kExtension,
                                                 kExtension, kFilter});
    if (path.isEmpty()) return;  // cancelled: nothing changes and nothing is said
    if (const auto error = load(path)) sys::Dialogs::current().message(error->message());
}

void SongFile::openDocument(const QString& path) {
    form_.PendingFile = path;
    MnuLoadSong_Click();
}

std::optional<SongLoadError> SongFile::load(const QString& path) {
    QByteArray bytes;
    if (const auto error = SongCodec::readFile(path, &bytes)) return error;
    const SongLoadResult result = SongCodec::decodeSong(bytes, &form_.PatternStore);
    if (result.rowCount) showSong(result);
    return result.error;
}

// The list gets the file's row count, though never more rows than the store has records,
// and every row shows its record: those just read, the one an error emptied, and the old
// ones above it that the file did not reach.
void SongFile::showSong(const SongLoadResult& result) {
    form_.SongHeader = result.header;
    form_.SongRowCount = qint16(*result.rowCount);
    const int songRows = std::min(*result.rowCount, PatternStore::kMaxSongRows);
    form_.MSFlexGrid1->setRows(songRows + 1);
    for (int row = 1; row <= songRows; ++row) songList_.showRecord(row);
}
