#pragma once

#include "pianokeys.h"

#include "common/sonaportcontrol.h"

// The MIDI keyboard control: five octaves of piano keys drawn at a fixed size; a press on
// a key raises NoteOn with its note, every release over the control NoteOff with the
// note last pressed. It sends nothing itself.
class CMidiKeyboardCtrl : public sonaport::SonaportControl {
    Q_OBJECT

public:
    enum EventId : hosting::DispId { EventNoteOn = 1, EventNoteOff = 2 };

    explicit CMidiKeyboardCtrl(QWidget* parent = nullptr);

    // The note of the last key pressed; 0 before the first.
    qint32 lastNote() const { return lastNote_; }

    void saveProperties(hosting::PropertyBag& bag) const override;
    void loadProperties(const hosting::PropertyBag& bag) override;

signals:
    void NoteOn(qint32 Note);
    void NoteOff(qint32 Note);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    PianoKeys keys_;
    qint32 lastNote_ = 0;
};
