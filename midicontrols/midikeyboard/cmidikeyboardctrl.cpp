#include "cmidikeyboardctrl.h"

#include "common/sonaportids.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

// The one-pixel frame just inside a region.
QRegion frameOf(const QRegion& region) {
    const QRegion inside = region & region.translated(1, 0) & region.translated(-1, 0) &
                           region.translated(0, 1) & region.translated(0, -1);
    return region - inside;
}

}  // namespace

CMidiKeyboardCtrl::CMidiKeyboardCtrl(QWidget* parent)
    : sonaport::SonaportControl(QStringLiteral("MidiKeyboard"),
                                sonaport::ids::kMidiKeyboard.propPage, parent) {}

void CMidiKeyboardCtrl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), backColor());
    for (int key = 0; key < PianoKeys::kKeyCount; ++key) {
        const QRegion black =
            PianoKeys::isBlack(key) ? keys_.region(key) : frameOf(keys_.region(key));
        for (const QRect& part : black) painter.fillRect(part, Qt::black);
    }
}

void CMidiKeyboardCtrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const std::optional<int> note = keys_.noteAt(event->position().toPoint());
    if (!note) return;
    lastNote_ = *note;
    emit NoteOn(lastNote_);
    emit eventRaised(EventNoteOn, {lastNote_});
}

// The mouse is not captured: a release outside the control raises nothing.
void CMidiKeyboardCtrl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) return;
    emit NoteOff(lastNote_);
    emit eventRaised(EventNoteOff, {lastNote_});
}

void CMidiKeyboardCtrl::saveProperties(hosting::PropertyBag& bag) const {
    writeStockState(bag);
}

void CMidiKeyboardCtrl::loadProperties(const hosting::PropertyBag& bag) {
    readStockState(bag);
}
