#include "frmprint.h"

#include "shell/printing.h"
#include "system/twips.h"
#include "views/windowaccessible.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

namespace {
constexpr double kMmPerInch = 25.4;
constexpr double kTwipsPerMm = 1440 / kMmPerInch;
// What a window manager's frame and title bar take, in pixels, at most.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 48;

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

double FrmPrint::fittedScale(const QSize& available) {
    const double width = (available.width() - kFrameWidth) / (kWidthTwips / sys::kTwipsPerPixel);
    const double height =
        (available.height() - kFrameHeight) / (kHeightTwips / sys::kTwipsPerPixel);
    return std::clamp(std::min(width, height), 0.1, 1.0);
}

// The page is shown as large as the screen it opens on allows, and inside its free area.
void FrmPrint::fitToScreen() {
    const QScreen* shownOn = screen();
    if (!shownOn) return;
    const QRect available = shownOn->availableGeometry();
    scale_ = fittedScale(available.size());
    setFixedSize(qRound(kWidthTwips / sys::kTwipsPerPixel * scale_),
                 qRound(kHeightTwips / sys::kTwipsPerPixel * scale_));
    const QRect frame = frameGeometry();
    move(qBound(available.left(), frame.x(), available.right() - width() - kFrameWidth),
         qBound(available.top(), frame.y(), available.bottom() - height() - kFrameHeight));
}

void FrmPrint::showEvent(QShowEvent* event) {
    fitToScreen();
    QWidget::showEvent(event);
}

void FrmPrint::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    replay(painter, kTwipsPerMm / sys::kTwipsPerPixel * scale_);
}

void FrmPrint::mousePressEvent(QMouseEvent* event) {
    hide();
    if (event->button() == Qt::RightButton) printPage();
}

void FrmPrint::printPage() {
    if (Printing* printing = Printing::instance())
        printing->printPage(
            [this](QPainter& painter, double pixelsPerMm) { replay(painter, pixelsPerMm); });
}
