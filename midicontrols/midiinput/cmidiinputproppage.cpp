#include "cmidiinputproppage.h"

CMidiInputPropPage::CMidiInputPropPage(QWidget* parent)
    : sonaport::ControlPropertyPage(QStringLiteral("MidiInput"), parent) {}
