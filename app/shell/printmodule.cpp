#include "shell/chartpainter.h"
#include "shell/drumchart.h"
#include "shell/printing.h"

#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QWidget>

// The printing module: the program's printing on Qt Print Support.

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kScreenShare = 0.9;  // of the screen the preview takes

class QtPrinting : public Printing {
public:
    void printChart(const DrumChart& chart, QWidget& parent, const QString& title) override {
        QPrinter printer(QPrinter::HighResolution);
        setUpA4(printer);
        printer.setPageOrientation(QPageLayout::Portrait);
        if (sendsToPdf(printer)) return ChartPainter::print(chart, printer);
        // The preview's print button brings up Qt's print dialog.
        QPrintPreviewDialog dialog(&printer, &parent);
        dialog.setWindowTitle(title);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                         [&chart](QPrinter* target) { ChartPainter::print(chart, *target); });
        if (const QScreen* screen = parent.screen())
            dialog.resize(screen->availableGeometry().size() * kScreenShare);
        dialog.exec();
    }

    void printPage(const PageDrawing& draw) override {
        QPrinter printer(QPrinter::HighResolution);
        setUpA4(printer);
        sendsToPdf(printer);
        QPainter painter;
        if (!painter.begin(&printer)) return;  // no printer: nothing happens, as before
        draw(painter, printer.resolution() / kMmPerInch);
    }

private:
    static void setUpA4(QPrinter& printer) {
        printer.setFullPage(true);
        printer.setPageSize(QPageSize(QPageSize::A4));
    }

    // Directs the printer into the file BEATLOFT_PRINT_TO_PDF names, when it names one.
    static bool sendsToPdf(QPrinter& printer) {
        const QString pdf = qEnvironmentVariable("BEATLOFT_PRINT_TO_PDF");
        if (pdf.isEmpty()) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    }
};

}  // namespace

extern "C" Q_DECL_EXPORT Printing* beatloftPrinting() {
    static QtPrinting printing;
    return &printing;
}
