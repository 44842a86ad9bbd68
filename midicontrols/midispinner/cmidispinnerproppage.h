#pragma once

#include "common/controlpropertypage.h"

// The spinner control's "General" property page.
class CMidiSpinnerPropPage : public sonaport::ControlPropertyPage {
    Q_OBJECT

public:
    explicit CMidiSpinnerPropPage(QWidget* parent = nullptr);
};
