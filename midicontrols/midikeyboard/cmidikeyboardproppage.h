#pragma once

#include "common/controlpropertypage.h"

// The keyboard control's "General" property page.
class CMidiKeyboardPropPage : public sonaport::ControlPropertyPage {
    Q_OBJECT

public:
    explicit CMidiKeyboardPropPage(QWidget* parent = nullptr);
};
