#pragma once

#include "shell/drumchart.h"
#include "shell/symboltarget.h"

#include <QImage>

class QPainter;
class QPagedPaintDevice;

// Paints the pages of a drum chart, the symbols through DrawSymbol, on a device with the given
// pixels per millimetre.
class ChartPainter : public SymbolTarget {
public:
    ChartPainter(QPainter& painter, double pixelsPerMm);

    void paint(const DrumChart::Page& page);

    void setFillStyle(FillStyle style) override { fillStyle_ = style; }
    void Circle(double x, double y, double r) override;
    void Line(double x1, double y1, double x2, double y2) override;

    // Every page, one sheet each, on a printer or a PDF writer set up for A4.
    static void print(const DrumChart& chart, QPagedPaintDevice& device);
    // One page as an image, white behind it.
    static QImage image(const DrumChart::Page& page, double pixelsPerMm);

private:
    void drawLines(const QList<QLineF>& lines, double widthMm);
    void drawText(const DrumChart::Text& text);
    QPointF at(double x, double y) const { return {x * scale_, y * scale_}; }

    QPainter& painter_;
    double scale_;
    FillStyle fillStyle_ = Transparent;
};
