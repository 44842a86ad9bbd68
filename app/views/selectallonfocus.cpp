#include "selectallonfocus.h"

#include <QEvent>
#include <QLineEdit>

bool SelectAllOnFocus::eventFilter(QObject* watched, QEvent* event) {
    // Queued: a mouse press that brought the focus would otherwise place the cursor after.
    if (event->type() == QEvent::FocusIn)
        if (auto* field = qobject_cast<QLineEdit*>(watched))
            QMetaObject::invokeMethod(field, &QLineEdit::selectAll, Qt::QueuedConnection);
    return false;
}
