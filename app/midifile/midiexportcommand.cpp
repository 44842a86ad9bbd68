#include "midiexport.h"

#include "form1.h"
#include "pattern/patternview.h"
#include "shared/dialogfolders.h"
#include "shared/windowscodepage.h"
#include "song/songlist.h"
#include "system/dialogs.h"
#include "system/safefilewriter.h"

#include <QLineEdit>

MidiExport::MidiExport(Form1& form, PatternView& patternView, SongList& songList)
    : form_(form), patternView_(patternView), songList_(songList) {}

void MidiExport::ExportMidi(Mode mode) {
    auto& dialogs = sys::Dialogs::current();
    SmfBuilder::Refusal refusal{};
    const std::optional<QByteArray> bytes =
        midiFile(mode, patternView_.pattern(), songList_.song(), nameOf(mode), &refusal);
    if (!bytes) {
        dialogs.message(refusalText(refusal));
        return;
    }
    const QString proposed =
        dialogfolders::folder(dialogfolders::Kind::MidiExports, form_.DataPath) + QLatin1Char('/') +
        nameOf(mode) + QStringLiteral(".mid");
    const QString path =
        dialogs.saveFile({dialogTitle(), proposed, QStringLiteral(".mid"), filter()});
    if (path.isEmpty()) return;  // cancelled: nothing is written
    dialogfolders::remember(dialogfolders::Kind::MidiExports, path);
    if (!sys::SafeFileWriter::writeFile(path, *bytes))
        dialogs.message(writeFailedText(path), sys::MessageButtons::Ok, sys::MessageIcon::Critical);
    else if (!keepsName(nameOf(mode)))
        dialogs.message(lostCharactersText(), sys::MessageButtons::Ok,
                        sys::MessageIcon::Exclamation);
}

QString MidiExport::nameOf(Mode mode) const {
    return (mode == Pattern ? form_.txtPatNam : form_.txtSongNam)->text();
}
