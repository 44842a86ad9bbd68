#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Form1;
class QLineEdit;

// The pattern on screen as an edit may change it: the texts of its six fields and the
// levels of every column, the hidden template column included (the rotations carry
// levels through it).
class PatternState {
public:
    // The fields in the order a restore puts them back: the count fields first, so the
    // grid has its columns before the levels go in.
    static QList<QLineEdit*> fields(const Form1& form);

    static PatternState capture(const Form1& form);
    // Puts the fields back through their change handlers, so the grid and the window are
    // rebuilt as typing would rebuild them, then the levels; raises no click.
    void restore(Form1& form) const;

    // The state with one field's text replaced (the text it had before a keystroke).
    void setText(int field, const QString& text) { texts_[field] = text; }

    bool operator==(const PatternState&) const = default;

private:
    void restoreLevels(Form1& form) const;

    QStringList texts_;
    QList<QList<int>> levels_;  // levels_[c][r - 1] is row r of column c
};
