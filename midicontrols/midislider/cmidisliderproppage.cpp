#include "cmidisliderproppage.h"

CMidiSliderPropPage::CMidiSliderPropPage(QWidget* parent)
    : sonaport::ControlPropertyPage(QStringLiteral("MidiSlider"), parent) {}
