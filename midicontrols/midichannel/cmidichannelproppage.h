#pragma once

#include "common/controlpropertypage.h"

// The channel control's "General" property page.
class CMidiChannelPropPage : public sonaport::ControlPropertyPage {
    Q_OBJECT

public:
    explicit CMidiChannelPropPage(QWidget* parent = nullptr);
};
