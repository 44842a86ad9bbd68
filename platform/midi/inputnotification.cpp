#include "inputnotification.h"

namespace midi {

QEvent::Type InputNotification::eventType() {
    static const int type = QEvent::registerEventType();
    return static_cast<QEvent::Type>(type);
}

}  // namespace midi
