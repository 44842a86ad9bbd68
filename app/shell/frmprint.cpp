#include "frmprint.h"

#include "system/twips.h"
#include "views/windowaccessible.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>

namespace {
constexpr double kMmPerInch = 25.4;
constexpr double kTwipsPerMm = 1440 / kMmPerInch;

}  // namespace

FrmPrint::FrmPrint(QWidget* parent) : QWidget(parent, Qt::Window) {
    installWindowAccessibleFactory();
    setObjectName(QStringLiteral("FrmPrint"));
    setWindowTitle(tr("Druckvorschau"));
    setAttribute(Qt::WA_QuitOnClose, false);  // a helper window never keeps the program alive
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setFixedSize(sys::twipsToPixels(kWidthTwips), sys::twipsToPixels(kHeightTwips));
}

// Each call adds to the page: nothing drawn before is lost.
void FrmPrint::Circle(double x, double y, double r) {
    page_.append({QLineF(x, y, x, y), r, fillStyle_ == Solid});
    update();
}

void FrmPrint::Line(double x1, double y1, double x2, double y2) {
    page_.append({QLineF(x1, y1, x2, y2)});
    update();
}

void FrmPrint::replay(QPainter& painter, double pixelsPerMm) const {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pixelsPerMm, pixelsPerMm);
    painter.setPen(QPen(Qt::black, 0));  // cosmetic: one device pixel on any device
    for (const Shape& shape : page_) {
        if (shape.radius <= 0) {
            painter.drawLine(shape.line);
            continue;
        }
        painter.setBrush(shape.filled ? QBrush(Qt::black) : QBrush(Qt::NoBrush));
        painter.drawEllipse(shape.line.p1(), shape.radius, shape.radius);
    }
}

QImage FrmPrint::image(double pixelsPerMm) const {
    const double scale = pixelsPerMm / kTwipsPerMm;
    QImage image(qRound(kWidthTwips * scale), qRound(kHeightTwips * scale), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    replay(painter, pixelsPerMm);
    return image;
}

void FrmPrint::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    replay(painter, kTwipsPerMm / sys::kTwipsPerPixel);
}

void FrmPrint::mousePressEvent(QMouseEvent* event) {
    hide();
    if (event->button() == Qt::RightButton) printPage();
}

void FrmPrint::printPage() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const QString pdf = qEnvironmentVariable("BEATLOFT_PRINT_TO_PDF");
    if (!pdf.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
    }
    QPainter painter;
    if (!painter.begin(&printer)) return;  // no printer: nothing happens, as before a press
    replay(painter, printer.resolution() / kMmPerInch);
}
