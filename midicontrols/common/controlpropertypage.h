#pragma once

#include <QWidget>

namespace sonaport {

// A control's "General" property page. The pages edit nothing yet; each names its control.
class ControlPropertyPage : public QWidget {
    Q_OBJECT

public:
    // controlName as in "MidiOutput"
    explicit ControlPropertyPage(const QString& controlName, QWidget* parent = nullptr);

    QString caption() const { return windowTitle(); }
    // The help text every page registers, and its help file.
    static QString helpText() { return QStringLiteral("Names to appear in the control"); }
    static QString helpFile() { return QStringLiteral("SONAPORT.HLP"); }
};

}  // namespace sonaport
