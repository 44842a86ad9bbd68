#include "cmidikeyboardproppage.h"

CMidiKeyboardPropPage::CMidiKeyboardPropPage(QWidget* parent)
    : sonaport::ControlPropertyPage(QStringLiteral("MidiKeyboard"), parent) {}
