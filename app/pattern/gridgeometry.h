#pragma once

#include <QObject>

class CheckArray;
class Form1;

// Shapes the grid after the three count fields: places and shows the beat lines, creates
// and destroys step columns (the remaining ones keep their levels), and sizes the window.
class GridGeometry : public QObject {
    Q_OBJECT

public:
    static constexpr int kStartColumns = 16;

    // Connects the count fields and the window's resize to the grid.
    explicit GridGeometry(Form1& form);

    // Change of the step count.
    void RebuildGrid();
    // Change of beats per bar or steps per beat: the step count becomes their product. The
    // grid is rebuilt also when that product is the count already shown.
    void updateStepCount();
    // Start-up: the widths every later width is measured from.
    void recordLayoutWidths();

    // The step a column shows, 0 when it is none of the window's step columns.
    static int stepOf(const Form1& form, const CheckArray* column);

signals:
    // A step column was made; its cells' clicks are for the editing commands.
    void columnCreated(CheckArray* column);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void keepSongFrameAtRightEdge();
    double availableWidth() const;
    void updateScroll(int columns);
    void scrollTo(int first);
    void followCursor();
    void placeBeatLines();
    void adjustColumns();
    void adjustWidths(int columns);

    Form1& form_;
    int visibleColumns_ = 0;
};
