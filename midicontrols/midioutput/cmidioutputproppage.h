#pragma once

#include "common/controlpropertypage.h"

// The MIDI output control's "General" property page.
class CMidiOutputPropPage : public sonaport::ControlPropertyPage {
    Q_OBJECT

public:
    explicit CMidiOutputPropPage(QWidget* parent = nullptr);
};
