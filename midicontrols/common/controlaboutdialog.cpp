#include "controlaboutdialog.h"

#include "dialogfont.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

namespace sonaport {

ControlAboutDialog::ControlAboutDialog(const QString& controlName, QWidget* parent)
    : QDialog(parent) {
    const QString control = controlName + QStringLiteral(" Control");
    setWindowTitle(QStringLiteral("About ") + control);
    setFont(dialogFont());

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("icon"));
    icon->setPixmap(libraryIcon());
    auto* text = new QLabel(control + QStringLiteral(", Version 1.0"), this);
    text->setObjectName(QStringLiteral("text"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addWidget(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

// A five-pin MIDI socket seen from the front.
QPixmap ControlAboutDialog::libraryIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(QColor(0x30, 0x30, 0x30));
    painter.drawEllipse(QRectF(2, 2, 28, 28));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    const QPointF pins[] = {{9, 16}, {11, 10.5}, {16, 8}, {21, 10.5}, {23, 16}};
    for (const QPointF& pin : pins) painter.drawEllipse(pin, 1.8, 1.8);
    painter.drawRect(QRectF(14, 24, 4, 4));
    return pixmap;
}

}  // namespace sonaport
