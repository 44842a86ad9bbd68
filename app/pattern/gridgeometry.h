#pragma once

class Form1;

// Shapes the grid after the three count fields: places and shows the beat lines, creates
// and destroys step columns (the remaining ones keep their levels), and sizes the window.
class GridGeometry {
public:
    static constexpr int kBeatLines = 12;
    static constexpr int kStartColumns = 16;
    // The most step columns the grid lays out; a larger count is cut to this so a slip of
    // the keyboard ("1600") cannot freeze the program building thousands of cells.
    static constexpr int kMaxColumns = 256;

    explicit GridGeometry(Form1& form) : form_(form) {}

    // Change of the step count.
    void RebuildGrid();
    // Change of beats per bar or steps per beat: the step count becomes their product.
    void updateStepCount();
    // Resize of the window: the song frame keeps its distance to the right edge.
    void keepSongFrameAtRightEdge();

    // The number of whole step columns a step-count value gives (0 for negative values).
    static int columnCount(double steps);

private:
    void placeBeatLines();
    void adjustColumns();
    void adjustWidths(int columns);

    Form1& form_;
};
