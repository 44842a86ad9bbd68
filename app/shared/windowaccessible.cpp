#include "windowaccessible.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace {

// The toolkit asks with each class name of the object's hierarchy in turn: a dialog or a main
// window is served under its own class name before "QWidget" is reached.
QAccessibleInterface* createInterface(const QString& className, QObject* object) {
    if (className != QLatin1String(QWidget::staticMetaObject.className())) return nullptr;
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || !widget->isWindow()) return nullptr;
    const Qt::WindowType type = widget->windowType();
    if (type != Qt::Window && type != Qt::Dialog) return nullptr;
    return new QAccessibleWidget(widget, QAccessible::Window);
}

}  // namespace

void installWindowAccessibleFactory() {
    static const bool installed = (QAccessible::installFactory(&createInterface), true);
    Q_UNUSED(installed);
}
