#pragma once

#include "hosting/controlwidget.h"

#include <QList>
#include <functional>
#include <vector>

class Tapcell;

// Beatloft's step column: one Tapcell per instrument row, stacked every 240 twips, all made
// from a hidden template cell that carries the grid's level colours. It turns the cells'
// clicks into level changes by the click rule and reports the row whose level changed.
// From the keyboard, Up and Down move the focus between its cells; Left and Right are
// passed on to whoever lines the columns up; the level keys set the focused cell as a click
// would.
//
// Dispatch: property Value(row) is DISPID 1, property nElements DISPID 2; event Click(row)
// is DISPID 1 of the event interface.
class CheckArray : public hosting::ControlWidget {
    Q_OBJECT
    Q_PROPERTY(int nElements READ nElements WRITE setNElements)

public:
    enum PropertyId : hosting::DispId { DispValue = 1, DispNElements = 2 };
    enum EventId : hosting::DispId { EventClick = 1 };

    static constexpr int kRowTwips = 240;
    static constexpr int kDefaultRows = 18;
    // The column's height in twips is a signed 16-bit number: 136 rows fit, 137 do not.
    static constexpr int kMaxRows = 136;

    explicit CheckArray(QWidget* parent = nullptr);
    ~CheckArray() override;

    int nElements() const { return nElements_; }
    // Recreates the cells, so every level is back to 0. A count below 1 becomes 1, one
    // above kMaxRows becomes kMaxRows.
    void setNElements(int count);

    // The level of a row 1..nElements. Neither raises Click. A row outside names no cell:
    // reading it gives 0 and putting it does nothing.
    int value(int row) const;
    void setValue(int row, int value);
    // The levels of rows 1..nElements.
    QList<int> levels() const;

    // Cell 1..nElements, or the hidden template at 0; nullptr for any other index.
    Tapcell* cell(int index) const;

    // The accessible name of each cell comes from the namer, asked with the row; it names
    // the cells now and every time they are made again.
    using CellNamer = std::function<QString(int row)>;
    void setCellNamer(CellNamer namer);
    // Asks the namer again, after what it names from has changed.
    void nameCells();

    // The row of the cell holding the focus, 0 when none does; focusing a row outside
    // 1..nElements does nothing.
    int focusedRow() const;
    void focusRow(int row);

    // The click rule: the level a click of the given kind (Tapcell::CMEnum) leads to.
    static int levelAfterClick(int level, int clickMode);
    // The level a key puts on the focused cell: 1, 2, 3 light, normal, strong; 0 and Delete
    // off; -1 for any other key.
    static int levelOfKey(int key);

    QVariant getProperty(hosting::DispId id, const QVariantList& index = {}) override;
    void putProperty(hosting::DispId id, const QVariant& value,
                     const QVariantList& index = {}) override;
    QVariant invoke(hosting::DispId id, const QVariantList& arguments = {}) override;

    void initNew() override;
    void saveProperties(hosting::PropertyBag& bag) const override;
    void loadProperties(const hosting::PropertyBag& bag) override;

signals:
    // Raised after the level of the row has been put.
    void Click(int index);
    // Left (-1) or Right (+1) was pressed on the focused cell of the row.
    void moveAcrossRequested(int row, int direction);
    // A click changed the level of a row from `previous`; raised just before Click.
    void levelClicked(int index, int previous, int clickMode);
    // The level of a row changed, by a click or put by the program.
    void valueChanged(int index, int value);

protected:
    QSizeF fixedSizeTwips() const override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Tapcell* createCell();
    void createCells();
    void destroyCells();
    void cellClicked(int row, int clickMode);
    // A level put by the user, by a click or a key: reported as a click is.
    void putByUser(int row, int level, int clickMode);
    int checkedRow(const QVariantList& index) const;

    Tapcell* template_ = nullptr;
    std::vector<Tapcell*> cells_;  // cells_[i - 1] is row i
    int nElements_ = kDefaultRows;
    CellNamer namer_;
};
