#pragma once

#include <QComboBox>

namespace sonaport {

// The drop-down list the device and channel controls show at their top: the icon-title
// font, the control's full width (followed when the control is resized) and 20 pixels high.
class DropDownList : public QComboBox {
    Q_OBJECT

public:
    explicit DropDownList(QWidget* parent);

    // Selects item index, or nothing when there is no such item.
    void select(quint32 index);

    static constexpr int kHeight = 20;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace sonaport
