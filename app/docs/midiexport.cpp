#include "midiexport.h"

#include "form1.h"
#include "playback/patternplayback.h"
#include "shared/checkarray.h"
#include "shared/numericvalue.h"
#include "shared/windowscodepage.h"
#include "song/songlist.h"
#include "system/dialogs.h"
#include "system/safefilewriter.h"

#include <QDir>
#include <QLineEdit>

const QString MidiExport::kDialogTitle = QStringLiteral("Pattern als Midi (Format1) speichern");
const QString MidiExport::kFilter = QStringLiteral("Midi (.mid)|*.mid|Alle Dateien|*.*");
const QString MidiExport::kImpossibleText =
    QStringLiteral("Tempo und SubDivs ergeben keine gültige MIDI-Datei.");

QString MidiExport::refusalText(SmfBuilder::Refusal refusal) {
    if (refusal != SmfBuilder::Refusal::TooLarge) return kImpossibleText;
    return QStringLiteral(
               "Die Noten der MIDI-Datei ergäben mehr als %1 MiB; eine so große Datei "
               "wird nicht geschrieben.")
        .arg(SmfBuilder::kMaxEventBytes / (1024 * 1024));
}

QString MidiExport::writeFailedText(const QString& path) {
    return QStringLiteral("Die MIDI-Datei konnte nicht gespeichert werden:\n%1")
        .arg(QDir::toNativeSeparators(path));
}

MidiExport::MidiExport(Form1& form, SongList& songList) : form_(form), songList_(songList) {}

void MidiExport::ExportMidi(Mode mode) {
    auto& dialogs = sys::Dialogs::current();
    SmfBuilder::Refusal refusal{};
    const std::optional<QByteArray> bytes = midiFile(mode, &refusal);
    if (!bytes) {
        dialogs.message(refusalText(refusal));
        return;
    }
    const QString proposed =
        form_.DataPath + QLatin1Char('/') + nameOf(mode) + QStringLiteral(".mid");
    const QString path =
        dialogs.saveFile({kDialogTitle, proposed, QStringLiteral(".mid"), kFilter});
    if (path.isEmpty()) return;  // cancelled: nothing is written
    if (!sys::SafeFileWriter::writeFile(path, *bytes))
        dialogs.message(writeFailedText(path), sys::MessageButtons::Ok, sys::MessageIcon::Critical);
    else if (!keepsName(mode))
        dialogs.message(lostCharactersText(), sys::MessageButtons::Ok,
                        sys::MessageIcon::Exclamation);
}

std::optional<QByteArray> MidiExport::midiFile(Mode mode, SmfBuilder::Refusal* refusal) const {
    const SmfSettings settings = settingsOf(form_, nameOf(mode));
    if (mode == Pattern) return SmfBuilder::exportPattern(settings, patternOf(form_), refusal);
    return SmfBuilder::exportSong(settings, form_.PatternStore, songList_.songRows(), refusal);
}

bool MidiExport::keepsName(Mode mode) const {
    bool lost = false;
    toWindowsCodePage(nameOf(mode), &lost);
    return !lost;
}

QString MidiExport::nameOf(Mode mode) const {
    return (mode == Pattern ? form_.txtPatNam : form_.txtSongNam)->text();
}

SmfSettings MidiExport::settingsOf(const Form1& form, const QString& name) {
    return {name, numericValue(form.txtTakt->text()), numericValue(form.txtTNen->text()),
            numericValue(form.txtSubdivs->text()), numericValue(form.txtBPM->text())};
}

// A row without a note gets one no file can carry, so the builder leaves it out.
SmfPattern MidiExport::patternOf(const Form1& form) {
    SmfPattern pattern;
    for (const std::optional<int>& note : PatternPlayback::rowNotes(form))
        pattern.notes << note.value_or(-1);
    for (int c = 1; c <= PatternPlayback::playableColumns(form); ++c)
        pattern.steps << form.checkArray(c)->levels();
    return pattern;
}
