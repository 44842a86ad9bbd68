#pragma once

#include <QDialog>

namespace sonaport {

// A control's About box: its name and version, the library icon and an OK button.
class ControlAboutDialog : public QDialog {
    Q_OBJECT

public:
    // controlName as in "MidiOutput"
    explicit ControlAboutDialog(const QString& controlName, QWidget* parent = nullptr);

    static QPixmap libraryIcon();
};

}  // namespace sonaport
