#pragma once

#include "docs/smfbuilder.h"

#include <QByteArray>
#include <QString>
#include <optional>

class Form1;
class SongList;

// Exports the pattern on screen or the song as a Standard MIDI File: gathers the pattern
// fields, the grid or the pattern store, has the bytes built, asks for the file and writes it.
class MidiExport {
public:
    enum Mode { Pattern = 1, Song = 2 };

    static const QString kDialogTitle;
    static const QString kFilter;
    static const QString kImpossibleText;
    // The message for an export the builder refuses: kImpossibleText, or the size limit.
    static QString refusalText(SmfBuilder::Refusal refusal);
    // The message for a file that could not be written.
    static QString writeFailedText(const QString& path);

    MidiExport(Form1& form, SongList& songList);

    void MnuSavMidi_Click() { ExportMidi(Pattern); }
    void MnuSavMidiSong_Click() { ExportMidi(Song); }
    // Builds the file, asks where to save it (proposing the name in the data folder) and
    // writes it. An impossible export is reported before any question; a cancelled dialog
    // writes nothing; a failed write keeps the old file and is reported.
    void ExportMidi(Mode mode);

    // The file of the pattern (named by txtPatNam) or the song (named by txtSongNam) as it
    // stands now; none when the pattern fields give no valid file or the file would be too
    // large (the reason in *refusal, if given).
    std::optional<QByteArray> midiFile(Mode mode, SmfBuilder::Refusal* refusal = nullptr) const;
    // False when the name holds a character the file cannot keep (it is written as '?').
    bool keepsName(Mode mode) const;

    // The pattern fields of the window as numbers, under the given name.
    static SmfSettings settingsOf(const Form1& form, const QString& name);
    // The playable step columns of the grid with the notes of their rows.
    static SmfPattern patternOf(const Form1& form);

private:
    QString nameOf(Mode mode) const;

    Form1& form_;
    SongList& songList_;
};
