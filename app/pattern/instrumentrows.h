#pragma once

class Form1;

// Names the instrument rows from the instrument list beside the program.
class InstrumentRows {
public:
    explicit InstrumentRows(Form1& form) : form_(form) {}

    // Record k of the list names Label(k) and puts its note into the tag; more records
    // than rows are reported once.
    void readInstrumentList();

private:
    Form1& form_;
};
