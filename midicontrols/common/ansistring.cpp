#include "ansistring.h"

#include "hosting/automationerror.h"
#include "hosting/hresult.h"

namespace sonaport {

QByteArray toAnsiString(const QVariant& value) {
    if (value.typeId() == QMetaType::QByteArray) return value.toByteArray();
    if (value.typeId() == QMetaType::QString) return value.toString().toLatin1();
    throw hosting::AutomationError{hosting::DISP_E_TYPEMISMATCH, QStringLiteral("Type mismatch")};
}

}  // namespace sonaport
