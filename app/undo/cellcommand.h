#pragma once

#include <QUndoCommand>

class PatternView;

// A click that changed the level of one cell. It keeps the column's index, not the column,
// because undoing later steps may have destroyed and recreated the column. A double click
// joins the click that began it, so the gesture is undone at once.
class CellCommand : public QUndoCommand {
public:
    CellCommand(PatternView& view, int column, int row, int from, int to, int clickMode);

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

    // The step's text: the cell's accessible name, "<instrument>, Schritt <n>".
    static QString textOf(const PatternView& view, int column, int row);

private:
    void put(int level);

    PatternView& view_;
    int column_, row_, from_, to_;
    bool doubleClick_;
    bool done_ = true;  // the click has already put the level
};
