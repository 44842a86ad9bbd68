#pragma once

#include <QList>
#include <QString>
#include <optional>

// One drum note of a step: the row's MIDI note and the cell's level 1..3.
struct StepNote {
    int note = 0;
    int level = 0;
    friend bool operator==(const StepNote&, const StepNote&) = default;
};

// The MIDI note an instrument row's tag names: a whole number 0..127. A tag that names none
// (empty, not a number, out of range) leaves the row silent.
std::optional<int> noteOfTag(const QString& tag);

// The notes of one step, in row order: levels[i] and rowNotes[i] belong to row i + 1. Rows
// that are off or have no note are left out; a level above 3 counts as 3.
QList<StepNote> stepNotes(const QList<int>& levels, const QList<std::optional<int>>& rowNotes);
