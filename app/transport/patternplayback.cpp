#include "patternplayback.h"

#include "form1.h"
#include "system/twipsgeometry.h"
#include "transport/transport.h"
#include "views/checkarray.h"

#include <QAbstractButton>
#include <QFrame>
#include <QShortcut>

PatternPlayback::PatternPlayback(Form1& form, Transport& transport)
    : form_(form), transport_(transport) {
    connect(form.BtnPlay, &QAbstractButton::clicked, this, &PatternPlayback::BtnPlay_Click);
    // Ctrl+Space is Play from anywhere in the window; a screen reader names the key.
    auto* key = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Space), &form);
    connect(key, &QShortcut::activated, form.BtnPlay, &QAbstractButton::click);
    form.BtnPlay->setAccessibleName(tr("Play (Strg+Leertaste)"));
    connect(&transport, &Transport::stateChanged, this, &PatternPlayback::showState);
    connect(&transport, &Transport::patternStepped, this, &PatternPlayback::moveCursor);
}

void PatternPlayback::BtnPlay_Click() {
    if (form_.BtnPlay->isChecked())
        transport_.playPattern();
    else if (transport_.state() == Transport::State::Pattern)
        transport_.stop();
    showState();
}

// The song taking the timer, or a stop from elsewhere, releases the button.
void PatternPlayback::showState() {
    const bool playing = transport_.state() == Transport::State::Pattern;
    form_.BtnPlay->setChecked(playing);
    form_.Cursor->setVisible(playing);
}

void PatternPlayback::moveCursor(int step) {
    if (step < form_.checkArrayCount())
        sys::TwipsGeometry::setLeft(form_.Cursor,
                                    sys::TwipsGeometry::of(form_.checkArray(step)).x());
}
