#pragma once

#include "shared/stepnotes.h"

#include <QList>
#include <QString>
#include <array>
#include <optional>

// One instrument row of a pattern: the name shown beside the row and the tag naming its note.
struct Instrument {
    QString name;
    QString tag;
    bool operator==(const Instrument&) const = default;
};

// What a pattern is, without any window: its name and header fields as typed, the
// instrument rows, and the level (0..3) of every cell of the step columns the grid lays out.
// The number of columns follows the step count as the grid does: the whole steps, at most
// kMaxColumns. Changing beats per bar or steps per beat makes the step count their product.
class Pattern {
public:
    // The header fields in the order a restore puts them back: the count fields first, so
    // the columns exist before levels go in.
    enum Field { Takt, TaktNenner, SubDivs, Steps, Bpm, Name, kFieldCount };

    static constexpr int kDefaultRows = 18;
    // The most step columns laid out; a larger count is cut to this so a slip of the
    // keyboard ("1600") cannot ask for thousands of cells.
    static constexpr int kMaxColumns = 256;
    static constexpr int kMaxLevel = 3;

    // The pattern of a freshly started window: 4/4, 4 steps per beat, 16 steps, 100 BPM.
    explicit Pattern(int rows = kDefaultRows);

    const QString& text(Field field) const { return texts_[field]; }
    double number(Field field) const;
    // Puts a field's text and lets the step count and the columns follow.
    void setText(Field field, const QString& text);
    // Puts a field's text alone, as a window does while it has not yet followed the text.
    void setTextOnly(Field field, const QString& text) { texts_[field] = text; }
    const QString& name() const { return texts_[Name]; }

    int rows() const { return rows_; }
    const QList<Instrument>& instruments() const { return instruments_; }
    // Rows beyond the list keep no name and no note.
    void setInstruments(const QList<Instrument>& instruments);

    int columns() const { return int(levels_.size()); }
    // Columns removed at the end lose their levels, new ones are empty.
    void setColumns(int count);
    // Level of row 1..rows at step 1..columns; 0 (and nothing put) outside.
    int level(int step, int row) const;
    void setLevel(int step, int row, int level);
    const QList<int>& column(int step) const { return levels_[step - 1]; }
    bool rowHasLevel(int row) const;

    void clear();
    void rotateLeft();
    void rotateRight();

    // The number of whole step columns a step count gives, within kMaxColumns.
    static int columnCount(double steps);
    // The columns that play: the step count, within the columns laid out.
    int playableColumns() const;
    // The note of every row as its tag names it.
    QList<std::optional<int>> rowNotes() const;
    // The notes of one step column.
    QList<StepNote> notesAt(int step) const;
    // The length of a step in seconds; none when tempo and steps per beat give none.
    std::optional<double> stepSeconds() const;

    bool operator==(const Pattern&) const = default;

private:
    std::array<QString, kFieldCount> texts_;
    int rows_;
    QList<Instrument> instruments_;
    QList<QList<int>> levels_;  // levels_[step - 1][row - 1]
};
