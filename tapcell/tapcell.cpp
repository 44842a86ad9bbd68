#include "tapcell.h"

#include "hosting/colorref.h"

#include "tapcellaccessible.h"

#include "hosting/hresult.h"
#include "hosting/propertybag.h"
#include "system/twips.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const std::array<QString, Tapcell::kLevels> kColorNames = {
    QStringLiteral("Background0Unpressed"), QStringLiteral("Background1Light"),
    QStringLiteral("Background2Normal"), QStringLiteral("Background3Strong")};
// A new instance, and loading a bag that lacks an entry, start from different colours.
constexpr std::array<double, Tapcell::kLevels> kNewColors = {16777215, 14737632, 0, 255};
constexpr std::array<double, Tapcell::kLevels> kLoadDefaults = {0, 4095, 0, 255};
const QString kValueName = QStringLiteral("Value");

// Half to even; values beyond 32 bits saturate instead of overflowing.
qint32 roundedColor(double color) {
    if (std::isnan(color)) return 0;
    const double lowest = std::numeric_limits<qint32>::min();
    const double highest = std::numeric_limits<qint32>::max();
    return static_cast<qint32>(std::clamp(std::nearbyint(color), lowest, highest));
}

bool isClickButton(Qt::MouseButton button) {
    return button == Qt::LeftButton || button == Qt::RightButton;
}

}  // namespace

Tapcell::Tapcell(QWidget* parent)
    : ControlWidget(parent), colors_(kNewColors), face_(qRgb(255, 255, 255)) {
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    keepFixedSize();
    TapcellAccessible::installFactory();
}

void Tapcell::setValue(qint32 value) {
    const bool changed = value != value_;
    value_ = value;
    if (changed) TapcellAccessible::announceLevel(this);
    if (value < Unpressed || value > Stark) return;
    const QRgb face = hosting::rgbFromColorRef(background(value));
    if (face == face_) return;
    face_ = face;
    update(faceRect());
}

qint32 Tapcell::background(int level) const {
    return level >= 0 && level < kLevels ? roundedColor(colors_[level]) : 0;
}

void Tapcell::setBackground(int level, double color) {
    if (level < 0 || level >= kLevels) return;
    colors_[level] = color;
    setValue(value_);
}

int Tapcell::levelOf(hosting::DispId id) {
    return id - DispBackground0Unpressed;
}

QVariant Tapcell::getProperty(hosting::DispId id, const QVariantList& index) {
    expectArgumentCount(index, 0);
    if (id == DispValue) return value_;
    if (id >= DispBackground0Unpressed && id <= DispBackground3Strong)
        return background(levelOf(id));
    raiseMemberNotFound(id);
}

void Tapcell::putProperty(hosting::DispId id, const QVariant& value, const QVariantList& index) {
    expectArgumentCount(index, 0);
    if (id == DispValue)
        setValue(toInt32(value));
    else if (id >= DispBackground0Unpressed && id <= DispBackground3Strong)
        setBackground(levelOf(id), toDouble(value));
    else
        raiseMemberNotFound(id);
}

QVariant Tapcell::invoke(hosting::DispId id, const QVariantList&) {
    raiseMemberNotFound(id);
}

void Tapcell::initNew() {
    value_ = Unpressed;
    colors_ = kNewColors;
}

void Tapcell::saveProperties(hosting::PropertyBag& bag) const {
    bag.write(kValueName, value_);
    for (int level = 0; level < kLevels; ++level) bag.write(kColorNames[level], colors_[level]);
}

void Tapcell::loadProperties(const hosting::PropertyBag& bag) {
    value_ = bag.read<qint32>(kValueName, Unpressed);
    for (int level = 0; level < kLevels; ++level)
        colors_[level] = bag.read<double>(kColorNames[level], kLoadDefaults[level]);
}

QRect Tapcell::faceRect() const {
    const int side = sys::twipsToPixels(kFaceTwips);
    return {0, 0, side, side};
}

void Tapcell::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(faceRect(), QColor(face_));
    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) paintFocusFrame(painter);
}

// Shown, as by the toolkit's own widgets, while the window is used from the keyboard: two
// thin rings along the edge, the outer in the highlight colour, the inner in black or
// white against the face: the level colour still fills the middle.
void Tapcell::paintFocusFrame(QPainter& painter) const {
    const QRect outer = faceRect().adjusted(0, 0, -1, -1);
    painter.setPen(palette().color(QPalette::Highlight));
    painter.drawRect(outer);
    painter.setPen(qGray(face_) < 128 ? Qt::white : Qt::black);
    painter.drawRect(outer.adjusted(1, 1, -1, -1));
}

void Tapcell::keyPressEvent(QKeyEvent* event) {
    if (!window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        window()->setAttribute(Qt::WA_KeyboardFocusChange);
        update();
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool shift = modifiers == Qt::ShiftModifier;
    if (event->key() != Qt::Key_Space || (modifiers != Qt::NoModifier && !shift))
        return ControlWidget::keyPressEvent(event);  // arrows go on to the container
    if (!event->isAutoRepeat()) click(shift ? Qt::RightButton : Qt::LeftButton);
}

void Tapcell::mousePressEvent(QMouseEvent* event) {
    if (!faceRect().contains(event->position().toPoint())) return;
    endingDoubleClick_ = false;
    pressed_.setFlag(event->button());
    if (event->button() == Qt::RightButton) rightPressed_ = true;
}

void Tapcell::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasPressed = pressed_.testFlag(event->button());
    pressed_.setFlag(event->button(), false);
    if (!wasPressed) return;
    if (endingDoubleClick_) {
        endingDoubleClick_ = false;
        return;
    }
    if (isClickButton(event->button()) && faceRect().contains(event->position().toPoint()))
        raiseClick();
}

void Tapcell::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!isClickButton(event->button()) || !faceRect().contains(event->position().toPoint()))
        return;
    pressed_.setFlag(event->button());
    endingDoubleClick_ = true;
    raiseDoubleClick();
}

// Emits the typed signal and its twin for late-bound containers; false when a handler
// destroyed the cell.
template <typename... Args>
bool Tapcell::raise(void (Tapcell::*signal)(Args...), hosting::DispId id,
                    std::type_identity_t<Args>... arguments) {
    QPointer<Tapcell> self(this);
    emit(this->*signal)(arguments...);
    if (self) emit eventRaised(id, {arguments...});
    return !self.isNull();
}

void Tapcell::click(Qt::MouseButton button) {
    if (!isClickButton(button)) return;
    rightPressed_ = button == Qt::RightButton;
    raiseClick();
}

void Tapcell::raiseClick() {
    const bool right = rightPressed_;
    const bool alive =
        right ? raise(&Tapcell::RightClick, EventRightClick) : raise(&Tapcell::Click, EventClick);
    if (alive && raise(&Tapcell::ClickEvent, EventClickEvent, right ? RightClickM : LeftClickM))
        rightPressed_ = false;
}

void Tapcell::raiseDoubleClick() {
    if (raise(&Tapcell::DblClick, EventDblClick))
        raise(&Tapcell::ClickEvent, EventClickEvent, DblClickM);
}
