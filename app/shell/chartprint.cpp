#include "chartprint.h"

#include "form1.h"
#include "pattern/patternview.h"
#include "shell/drumchart.h"
#include "shell/printing.h"
#include "song/songlist.h"
#include "views/mainmenubar.h"

#include <QAction>
#include <QLineEdit>

ChartPrint::ChartPrint(Form1& form, PatternView& view, SongList& songList)
    : form_(form), view_(view), songList_(songList) {
    connect(form.Menus->MnuPrintChart, &QAction::triggered, this,
            [this] { print(patternChart()); });
    connect(form.Menus->MnuPrintSongChart, &QAction::triggered, this,
            [this] { print(songChart()); });
}

DrumChart ChartPrint::patternChart() const {
    const Pattern& pattern = view_.pattern();
    return DrumChart::of(pattern.name(), {ChartSection::ofPattern(pattern)});
}

DrumChart ChartPrint::songChart() const {
    const Song& song = songList_.song();
    QList<ChartSection> sections;
    for (int row = 1; row <= song.songRows(); ++row)
        sections << ChartSection::ofSongRow(song, row, view_.pattern());
    return DrumChart::of(form_.txtSongNam->text(), sections);
}

void ChartPrint::print(const DrumChart& chart) {
    if (Printing* printing = Printing::instance())
        printing->printChart(chart, form_, tr("Notenblatt"));
}
