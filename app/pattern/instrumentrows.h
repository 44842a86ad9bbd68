#pragma once

#include "pattern/pattern.h"

#include <QCoreApplication>
#include <QList>

class PatternView;

// Names the instrument rows from the instrument list beside the program.
class InstrumentRows {
    Q_DECLARE_TR_FUNCTIONS(InstrumentRows)

public:
    explicit InstrumentRows(PatternView& view) : view_(view) {}

    // Record k of the list names row k and gives its note; more records than rows are
    // reported once.
    void readInstrumentList();

    // The instruments of `rows` rows as the list beside the program names them; tooMany
    // tells whether it holds more records than rows.
    static QList<Instrument> read(int rows, bool* tooMany = nullptr);
    // The pattern a freshly started program shows, with its instrument rows.
    static Pattern startPattern();

private:
    PatternView& view_;
};
