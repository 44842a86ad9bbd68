#pragma once

#include "common/controlpropertypage.h"

// The slider control's "General" property page.
class CMidiSliderPropPage : public sonaport::ControlPropertyPage {
    Q_OBJECT

public:
    explicit CMidiSliderPropPage(QWidget* parent = nullptr);
};
