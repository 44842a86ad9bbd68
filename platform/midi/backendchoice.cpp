#include "backendchoice.h"

#include <QRegularExpression>
#include <QString>

namespace midi::detail {

bool backendChosen(const char* name) {
    const QString wanted = qEnvironmentVariable("BEATLOFT_MIDI_BACKENDS").trimmed();
    if (wanted.isEmpty()) return true;
    static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
    return wanted.toLower().split(separators).contains(QLatin1String(name));
}

}  // namespace midi::detail
