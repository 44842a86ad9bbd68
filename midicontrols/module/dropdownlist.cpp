#include "dropdownlist.h"

#include "icontitlefont.h"

namespace sonaport {

DropDownList::DropDownList(QWidget* parent) : QComboBox(parent) {
    setObjectName(QStringLiteral("list"));
    setFont(iconTitleFont());
    setGeometry(0, 0, 100, kHeight);
}

void DropDownList::fitWidth(int width) {
    setGeometry(0, 0, width, kHeight);
}

void DropDownList::select(quint32 index) {
    setCurrentIndex(index < quint32(count()) ? int(index) : -1);
}

}  // namespace sonaport
