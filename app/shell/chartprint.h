#pragma once

#include <QObject>

class DrumChart;
class Form1;
class PatternView;
class SongList;

// The drum chart commands of "Datei": the pattern on screen, or the song as its patterns in row
// order, laid out as a chart; a preview that fits the screen, from which Qt's print dialog
// prints to a printer or a PDF file. With BEATLOFT_PRINT_TO_PDF set, the chart goes into that
// PDF file without any dialog.
class ChartPrint : public QObject {
    Q_OBJECT

public:
    ChartPrint(Form1& form, PatternView& view, SongList& songList);

    DrumChart patternChart() const;
    DrumChart songChart() const;
    void print(const DrumChart& chart);

private:
    Form1& form_;
    PatternView& view_;
    SongList& songList_;
};
