#include "dropdownlist.h"

#include <QResizeEvent>

#include "icontitlefont.h"

namespace sonaport {

DropDownList::DropDownList(QWidget* parent) : QComboBox(parent) {
    setObjectName(QStringLiteral("list"));
    setFont(iconTitleFont());
    setGeometry(0, 0, 100, kHeight);
    parent->installEventFilter(this);
}

bool DropDownList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && event->type() == QEvent::Resize)
        setGeometry(0, 0, static_cast<QResizeEvent*>(event)->size().width(), kHeight);
    return false;
}

void DropDownList::select(quint32 index) {
    setCurrentIndex(index < quint32(count()) ? int(index) : -1);
}

}  // namespace sonaport
