#include "cmidispinnerproppage.h"

CMidiSpinnerPropPage::CMidiSpinnerPropPage(QWidget* parent)
    : sonaport::ControlPropertyPage(QStringLiteral("MidiSpinner"), parent) {}
