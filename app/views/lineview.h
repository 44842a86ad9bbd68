#pragma once

#include <QWidget>

// A straight line between two points given in twips, as the beat lines of the grid are.
class LineView : public QWidget {
    Q_OBJECT

public:
    explicit LineView(QWidget* parent = nullptr);

    void setPoints(double x1, double y1, double x2, double y2);
    double x1() const { return x1_; }
    double y1() const { return y1_; }
    double x2() const { return x2_; }
    double y2() const { return y2_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
};
