#include "midiexport.h"

#include "pattern/pattern.h"
#include "shared/windowscodepage.h"
#include "song/song.h"

#include <QDir>

QString MidiExport::dialogTitle() {
    return tr("Pattern als Midi (Format1) speichern");
}

QString MidiExport::filter() {
    return tr("Midi (.mid)|*.mid|Alle Dateien|*.*");
}

QString MidiExport::impossibleText() {
    return tr("Tempo und SubDivs ergeben keine gültige MIDI-Datei.");
}

QString MidiExport::refusalText(SmfBuilder::Refusal refusal) {
    if (refusal != SmfBuilder::Refusal::TooLarge) return impossibleText();
    return tr("Die Noten der MIDI-Datei ergäben mehr als %1 MiB; eine so große Datei "
              "wird nicht geschrieben.")
        .arg(SmfBuilder::kMaxEventBytes / (1024 * 1024));
}

QString MidiExport::writeFailedText(const QString& path) {
    return tr("Die MIDI-Datei konnte nicht gespeichert werden:\n%1")
        .arg(QDir::toNativeSeparators(path));
}

std::optional<QByteArray> MidiExport::midiFile(Mode mode, const ::Pattern& pattern,
                                               const ::Song& song, const QString& name,
                                               SmfBuilder::Refusal* refusal) {
    const SmfSettings settings = settingsOf(pattern, name);
    if (mode == Pattern) return SmfBuilder::exportPattern(settings, patternOf(pattern), refusal);
    return SmfBuilder::exportSong(settings, song.store, song.rows, refusal);
}

bool MidiExport::keepsName(const QString& name) {
    bool lost = false;
    toWindowsCodePage(name, &lost);
    return !lost;
}

SmfSettings MidiExport::settingsOf(const ::Pattern& pattern, const QString& name) {
    return {name, pattern.number(::Pattern::Takt), pattern.number(::Pattern::TaktNenner),
            pattern.number(::Pattern::SubDivs), pattern.number(::Pattern::Bpm)};
}

// A row without a note gets one no file can carry, so the builder leaves it out.
SmfPattern MidiExport::patternOf(const ::Pattern& pattern) {
    SmfPattern smf;
    for (const std::optional<int>& note : pattern.rowNotes()) smf.notes << note.value_or(-1);
    for (int c = 1; c <= pattern.playableColumns(); ++c) smf.steps << pattern.column(c);
    return smf;
}
