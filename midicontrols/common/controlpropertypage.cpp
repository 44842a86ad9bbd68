#include "controlpropertypage.h"

#include "dialogfont.h"

#include <QLabel>
#include <QVBoxLayout>

namespace sonaport {

ControlPropertyPage::ControlPropertyPage(const QString& controlName, QWidget* parent)
    : QWidget(parent) {
    setWindowTitle(QStringLiteral("General"));
    setFont(dialogFont());
    auto* text = new QLabel(
        QStringLiteral(
            "TODO: Place controls to manipulate properties of %1 Control on this dialog.")
            .arg(controlName),
        this);
    text->setObjectName(QStringLiteral("text"));
    text->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addStretch();
}

}  // namespace sonaport
