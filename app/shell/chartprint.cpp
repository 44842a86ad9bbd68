#include "chartprint.h"

#include "form1.h"
#include "pattern/patternview.h"
#include "shell/chartpainter.h"
#include "shell/drumchart.h"
#include "song/songlist.h"
#include "views/mainmenubar.h"

#include <QAction>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>

namespace {
constexpr double kScreenShare = 0.9;  // of the screen the preview takes
}

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
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    const QString pdf = qEnvironmentVariable("BEATLOFT_PRINT_TO_PDF");
    if (pdf.isEmpty()) return preview(chart, printer);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    ChartPainter::print(chart, printer);
}

// The preview's print button brings up Qt's print dialog.
void ChartPrint::preview(const DrumChart& chart, QPrinter& printer) {
    QPrintPreviewDialog dialog(&printer, &form_);
    dialog.setWindowTitle(tr("Notenblatt"));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [&chart](QPrinter* target) { ChartPainter::print(chart, *target); });
    if (const QScreen* screen = form_.screen())
        dialog.resize(screen->availableGeometry().size() * kScreenShare);
    dialog.exec();
}
