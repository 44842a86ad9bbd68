#include "checkarray.h"

#include "hosting/hresult.h"
#include "hosting/propertybag.h"
#include "system/twipsgeometry.h"
#include "tapcell.h"
#include "tapcellmodule.h"

#include <QKeyEvent>
#include <QPointer>
#include <algorithm>

namespace {

const QString kNElementsName = QStringLiteral("nElements");
constexpr double kTemplateTop = 2520;
constexpr double kTemplateSize = 195;

// The grid's level colours: white, light green, black, dark red.
hosting::PropertyBag templateProperties() {
    hosting::PropertyBag bag;
    bag.write(QStringLiteral("Value"), int(Tapcell::Unpressed));
    bag.write(QStringLiteral("Background0Unpressed"), 16777215.0);
    bag.write(QStringLiteral("Background1Light"), 8454016.0);
    bag.write(QStringLiteral("Background2Normal"), 0.0);
    bag.write(QStringLiteral("Background3Strong"), 192.0);
    return bag;
}

}  // namespace

CheckArray::CheckArray(QWidget* parent) : ControlWidget(parent) {
    template_ = createCell();
    template_->loadProperties(templateProperties());
    template_->hide();
    sys::TwipsGeometry::set(template_, 0, kTemplateTop, kTemplateSize, kTemplateSize);
    setNElements(kDefaultRows);
}

CheckArray::~CheckArray() = default;

Tapcell* CheckArray::createCell() {
    hosting::ClassFactory* factory = nullptr;
    tapcell::module().getClassObject(tapcell::kClsid, &factory);
    return static_cast<Tapcell*>(factory->createInstance(this));
}

void CheckArray::setNElements(int count) {
    nElements_ = std::clamp(count, 1, kMaxRows);
    destroyCells();
    createCells();
    keepFixedSize();
}

void CheckArray::createCells() {
    hosting::PropertyBag properties;
    template_->saveProperties(properties);
    cells_.reserve(nElements_);
    for (int row = 1; row <= nElements_; ++row) {
        Tapcell* cell = createCell();
        cell->loadProperties(properties);
        sys::TwipsGeometry::set(cell, 0, (row - 1) * kRowTwips, Tapcell::kSizeTwips,
                                Tapcell::kSizeTwips);
        connect(cell, &Tapcell::ClickEvent, this,
                [this, row](int kind) { cellClicked(row, kind); });
        cell->show();
        cells_.push_back(cell);
    }
    nameCells();
}

void CheckArray::setCellNamer(CellNamer namer) {
    namer_ = std::move(namer);
    nameCells();
}

void CheckArray::nameCells() {
    if (!namer_) return;
    for (int row = 1; row <= int(cells_.size()); ++row)
        cells_[row - 1]->setAccessibleName(namer_(row));
}

int CheckArray::focusedRow() const {
    const auto focused =
        std::find_if(cells_.begin(), cells_.end(), [](const Tapcell* c) { return c->hasFocus(); });
    return focused == cells_.end() ? 0 : int(focused - cells_.begin()) + 1;
}

void CheckArray::focusRow(int row) {
    if (Tapcell* c = row >= 1 ? cell(row) : nullptr) c->setFocus(Qt::OtherFocusReason);
}

// Up and Down stop at the first and the last row. A level key is one click: its step is
// never joined to the one before.
void CheckArray::keyPressEvent(QKeyEvent* event) {
    const int row = focusedRow();
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (row == 0 || !plain) return ControlWidget::keyPressEvent(event);
    if (const int level = levelOfKey(event->key()); level >= 0)
        return putByUser(row, level, Tapcell::LeftClickM);
    switch (event->key()) {
        case Qt::Key_Up:
            focusRow(row - 1);
            break;
        case Qt::Key_Down:
            focusRow(row + 1);
            break;
        case Qt::Key_Left:
            emit moveAcrossRequested(row, -1);
            break;
        case Qt::Key_Right:
            emit moveAcrossRequested(row, +1);
            break;
        default:
            ControlWidget::keyPressEvent(event);
    }
}

// Also safe from a Click handler: neither the cell nor the column touches itself after
// raising an event whose handler destroyed it.
void CheckArray::destroyCells() {
    qDeleteAll(cells_);
    cells_.clear();
}

QList<int> CheckArray::levels() const {
    QList<int> result;
    result.reserve(qsizetype(cells_.size()));
    for (const Tapcell* c : cells_) result.append(c->value());
    return result;
}

int CheckArray::value(int row) const {
    const Tapcell* c = row >= 1 ? cell(row) : nullptr;
    return c ? c->value() : 0;
}

void CheckArray::setValue(int row, int value) {
    Tapcell* c = row >= 1 ? cell(row) : nullptr;
    if (!c) return;
    const int previous = c->value();
    c->setValue(value);
    if (c->value() != previous) emit valueChanged(row, c->value());
}

Tapcell* CheckArray::cell(int index) const {
    if (index == 0) return template_;
    return index >= 1 && index <= int(cells_.size()) ? cells_[index - 1] : nullptr;
}

int CheckArray::levelAfterClick(int level, int clickMode) {
    switch (clickMode) {
        case Tapcell::LeftClickM:
            return level != 0 ? 0 : Tapcell::Normal;
        case Tapcell::RightClickM:
            return level != 0 ? level - 1 : Tapcell::Wenig;
        case Tapcell::DblClickM:
            return Tapcell::Stark;
    }
    return level;
}

int CheckArray::levelOfKey(int key) {
    switch (key) {
        case Qt::Key_0:
        case Qt::Key_Delete:
            return Tapcell::Unpressed;
        case Qt::Key_1:
            return Tapcell::Wenig;
        case Qt::Key_2:
            return Tapcell::Normal;
        case Qt::Key_3:
            return Tapcell::Stark;
    }
    return -1;
}

void CheckArray::cellClicked(int row, int clickMode) {
    putByUser(row, levelAfterClick(cell(row)->value(), clickMode), clickMode);
}

void CheckArray::putByUser(int row, int level, int clickMode) {
    Tapcell* clicked = cell(row);
    const int previous = clicked->value();
    clicked->setValue(level);
    QPointer<CheckArray> self(this);
    if (clicked->value() != previous) emit valueChanged(row, clicked->value());
    if (self && clicked->value() != previous) emit levelClicked(row, previous, clickMode);
    if (self) emit Click(row);
    if (self) emit eventRaised(EventClick, {row});
}

int CheckArray::checkedRow(const QVariantList& index) const {
    expectArgumentCount(index, 1);
    const int row = toInt16(index.front());
    if (row < 1 || row > nElements_)
        throw hosting::AutomationError{hosting::DISP_E_BADINDEX,
                                       QStringLiteral("No cell in row %1").arg(row)};
    return row;
}

QVariant CheckArray::getProperty(hosting::DispId id, const QVariantList& index) {
    if (id == DispValue) return QVariant::fromValue(toInt16(value(checkedRow(index))));
    if (id != DispNElements) raiseMemberNotFound(id);
    expectArgumentCount(index, 0);
    return QVariant::fromValue(qint16(nElements_));
}

void CheckArray::putProperty(hosting::DispId id, const QVariant& value, const QVariantList& index) {
    if (id == DispValue) return setValue(checkedRow(index), toInt16(value));
    if (id != DispNElements) raiseMemberNotFound(id);
    expectArgumentCount(index, 0);
    setNElements(toInt16(value));
}

QVariant CheckArray::invoke(hosting::DispId id, const QVariantList&) {
    raiseMemberNotFound(id);
}

void CheckArray::initNew() {
    setNElements(kDefaultRows);
}

void CheckArray::saveProperties(hosting::PropertyBag& bag) const {
    bag.write(kNElementsName, nElements_);
}

void CheckArray::loadProperties(const hosting::PropertyBag& bag) {
    setNElements(bag.read<int>(kNElementsName, kDefaultRows));
}

QSizeF CheckArray::fixedSizeTwips() const {
    return {kRowTwips, double(nElements_) * kRowTwips};
}
