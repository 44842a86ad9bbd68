#include "cmidioutputproppage.h"

CMidiOutputPropPage::CMidiOutputPropPage(QWidget* parent)
    : sonaport::ControlPropertyPage(QStringLiteral("MidiOutput"), parent) {}
