#pragma once

#include "shell/symboltarget.h"

#include <QLineF>
#include <QList>
#include <QWidget>

// The print preview: a white upright page on which symbols are drawn in millimetres. What is
// drawn is kept as drawing commands, replayed on the screen and, sharp, on the printer. A
// press of any mouse button hides the page; a right press also prints it.
class FrmPrint : public QWidget, public SymbolTarget {
    Q_OBJECT

public:
    // The page in twips, about 203 by 274 mm.
    static constexpr double kWidthTwips = 11505;
    static constexpr double kHeightTwips = 15555;

    explicit FrmPrint(QWidget* parent = nullptr);

    FillStyle fillStyle() const { return fillStyle_; }
    void setFillStyle(FillStyle style) override { fillStyle_ = style; }
    void Circle(double x, double y, double r) override;
    void Line(double x1, double y1, double x2, double y2) override;

    // The share of its full size at which the page is shown in an available screen area:
    // as large as fits, with room for the window's frame, never above 1.
    static double fittedScale(const QSize& available);

    // The page at a resolution given in pixels per millimetre, on white.
    QImage image(double pixelsPerMm) const;
    // Sends the page to the default printer, or into the PDF file that
    // BEATLOFT_PRINT_TO_PDF names.
    void printPage();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // One drawing command, in millimetres: a circle (radius above 0) or a line.
    struct Shape {
        QLineF line;  // a circle's centre is line.p1()
        double radius = 0;
        bool filled = false;
    };
    void replay(QPainter& painter, double pixelsPerMm) const;

    void fitToScreen();

    QList<Shape> page_;
    FillStyle fillStyle_ = Transparent;
    double scale_ = 1;  // of the page on screen; the printed page keeps its millimetres
};
