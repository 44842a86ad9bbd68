#include "cmidichannelproppage.h"

CMidiChannelPropPage::CMidiChannelPropPage(QWidget* parent)
    : sonaport::ControlPropertyPage(QStringLiteral("MidiChannel"), parent) {}
