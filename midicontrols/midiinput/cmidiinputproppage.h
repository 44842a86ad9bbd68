#pragma once

#include "common/controlpropertypage.h"

// The MIDI input control's "General" property page.
class CMidiInputPropPage : public sonaport::ControlPropertyPage {
    Q_OBJECT

public:
    explicit CMidiInputPropPage(QWidget* parent = nullptr);
};
