#pragma once

#include <QCoreApplication>
#include <QString>

class Form1;
class PatternView;

// "Midi-Datei importieren…": asks for a MIDI file and shows its drum notes as the pattern,
// over the window's instrument rows, as one step to undo. Notes no row names and a file
// longer than the grid are told after the pattern is shown.
class MidiImportCommand {
    Q_DECLARE_TR_FUNCTIONS(MidiImportCommand)

public:
    static QString filter();

    MidiImportCommand(Form1& form, PatternView& view) : form_(form), view_(view) {}

    // False when no file was chosen or it could not be read (said in a box).
    bool run();

private:
    Form1& form_;
    PatternView& view_;
};
