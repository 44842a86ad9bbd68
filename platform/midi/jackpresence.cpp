#include "jackpresence.h"

#include <QFileInfo>

#include <unistd.h>

namespace midi::detail {

QStringList JackPresence::defaultFolders() {
    return {QStringLiteral("/dev/shm"), QStringLiteral("/tmp")};
}

bool JackPresence::serverMayRun(const QStringList& folders, unsigned uid, const QString& server) {
    const QStringList names{QStringLiteral("jack-%1").arg(uid),
                            QStringLiteral("jack_%1_%2_0").arg(server).arg(uid),
                            QStringLiteral("jack_%1_0").arg(server)};
    for (const QString& folder : folders)
        for (const QString& name : names)
            if (QFileInfo::exists(folder + QLatin1Char('/') + name)) return true;
    return false;
}

bool JackPresence::serverMayRun() {
    const QString named = qEnvironmentVariable("JACK_DEFAULT_SERVER");
    return serverMayRun(defaultFolders(), unsigned(getuid()),
                        named.isEmpty() ? QStringLiteral("default") : named);
}

}  // namespace midi::detail
