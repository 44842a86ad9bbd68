#pragma once

class Form1;

// The song list beside the pattern: the stored patterns of the song, one row each.
class SongList {
public:
    static constexpr double kNumberColumnWidth = 500;
    // Column 0 leaves this much of the list's width free, so no scroll bar appears.
    static constexpr double kListMargin = 50;

    explicit SongList(Form1& form) : form_(form) {}

    // Start-up: the header row and the column widths.
    void prepareHeader();

private:
    Form1& form_;
};
