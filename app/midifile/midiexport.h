#pragma once

#include "midifile/smfbuilder.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <optional>

class Form1;
class Pattern;
class PatternView;
class SongList;
struct Song;

// Exports the pattern on screen or the song as a Standard MIDI File: has the bytes built from
// the pattern or the song, asks for the file and writes it.
class MidiExport {
    Q_DECLARE_TR_FUNCTIONS(MidiExport)

public:
    enum Mode { Pattern = 1, Song = 2 };

    static QString dialogTitle();
    static QString filter();
    static QString impossibleText();
    // The message for an export the builder refuses: impossibleText(), or the size limit.
    static QString refusalText(SmfBuilder::Refusal refusal);
    // The message for a file that could not be written.
    static QString writeFailedText(const QString& path);

    MidiExport(Form1& form, PatternView& patternView, SongList& songList);

    void MnuSavMidi_Click() { ExportMidi(Pattern); }
    void MnuSavMidiSong_Click() { ExportMidi(Song); }
    // Builds the file, asks where to save it (proposing the name in the data folder) and
    // writes it. An impossible export is reported before any question; a cancelled dialog
    // writes nothing; a failed write keeps the old file and is reported.
    void ExportMidi(Mode mode);

    // The file of a pattern, or of a song with the settings of a pattern, under a name; none
    // when the pattern's settings give no valid file or the file would be too large (the
    // reason in *refusal, if given).
    static std::optional<QByteArray> midiFile(Mode mode, const ::Pattern& pattern,
                                              const ::Song& song, const QString& name,
                                              SmfBuilder::Refusal* refusal = nullptr);
    // False when the name holds a character the file cannot keep (it is written as '?').
    static bool keepsName(const QString& name);

    // The pattern's settings as numbers, under the given name.
    static SmfSettings settingsOf(const ::Pattern& pattern, const QString& name);
    // The playable step columns of a pattern with the notes of their rows.
    static SmfPattern patternOf(const ::Pattern& pattern);

private:
    QString nameOf(Mode mode) const;

    Form1& form_;
    PatternView& patternView_;
    SongList& songList_;
};
