#include "chartpainter.h"

#include "shell/drawsymbol.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kThinMm = 0.15;
constexpr double kBarMm = 0.4;
constexpr double kSymbolMm = 0.25;

QFont fontOf(DrumChart::Text::Role role) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setPointSizeF(role == DrumChart::Text::Title     ? 16
                       : role == DrumChart::Text::Heading ? 10
                                                          : 7);
    font.setBold(role == DrumChart::Text::Title);
    return font;
}

}  // namespace

ChartPainter::ChartPainter(QPainter& painter, double pixelsPerMm)
    : painter_(painter), scale_(pixelsPerMm) {
    painter_.setRenderHint(QPainter::Antialiasing);
}

void ChartPainter::paint(const DrumChart::Page& page) {
    drawLines(page.lines, kThinMm);
    drawLines(page.barLines, kBarMm);
    for (const DrumChart::Text& text : page.texts) drawText(text);
    painter_.setPen(QPen(Qt::black, kSymbolMm * scale_));
    for (const DrumChart::Symbol& symbol : page.symbols)
        DrawSymbol(*this, symbol.at.x() / DrumChart::kStep, symbol.at.y(), symbol.kind);
}

void ChartPainter::Circle(double x, double y, double r) {
    painter_.setBrush(fillStyle_ == Solid ? QBrush(Qt::black) : QBrush(Qt::white));
    painter_.drawEllipse(at(x, y), r * scale_, r * scale_);
}

void ChartPainter::Line(double x1, double y1, double x2, double y2) {
    painter_.drawLine(at(x1, y1), at(x2, y2));
}

void ChartPainter::drawLines(const QList<QLineF>& lines, double widthMm) {
    painter_.setPen(QPen(Qt::black, widthMm * scale_));
    for (const QLineF& line : lines) Line(line.x1(), line.y1(), line.x2(), line.y2());
}

// A name longer than its column is cut short with an ellipsis.
void ChartPainter::drawText(const DrumChart::Text& text) {
    painter_.setFont(fontOf(text.role));
    painter_.setPen(Qt::black);
    QString shown = text.text;
    if (text.role == DrumChart::Text::Name)
        shown = QFontMetricsF(painter_.font(), painter_.device())
                    .elidedText(shown, Qt::ElideRight, (DrumChart::kNames - 1.5) * scale_);
    painter_.drawText(at(text.at.x(), text.at.y()), shown);
}

void ChartPainter::print(const DrumChart& chart, QPagedPaintDevice& device) {
    QPainter painter;
    if (!painter.begin(&device)) return;
    ChartPainter chartPainter(painter, device.logicalDpiX() / kMmPerInch);
    for (qsizetype i = 0; i < chart.pages().size(); ++i) {
        if (i > 0) device.newPage();
        chartPainter.paint(chart.pages()[i]);
    }
}

QImage ChartPainter::image(const DrumChart::Page& page, double pixelsPerMm) {
    QImage image(qRound(DrumChart::kPageWidth * pixelsPerMm),
                 qRound(DrumChart::kPageHeight * pixelsPerMm), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(pixelsPerMm * 1000));
    image.setDotsPerMeterY(qRound(pixelsPerMm * 1000));
    image.fill(Qt::white);
    QPainter painter(&image);
    ChartPainter(painter, pixelsPerMm).paint(page);
    return image;
}
