#include "checkmessages.h"

#include "shared/appversion.h"

#include <QStringList>
#include <QSysInfo>

namespace checkmessages {

QByteArray versionRequest(const QString& versionHost, const QString& programName) {
    const QStringList lines{
        QStringLiteral("GET /Downloads/Programme/") + programName + '/' + programName +
            QStringLiteral("Version.txt HTTP/1.0"),
        QStringLiteral("Connection: Keep-Alive"),
        QStringLiteral("User-Agent: Korvanes Internetchecker"),
        QStringLiteral("Host: ") + versionHost,
        QStringLiteral("Accept: */*"),
        QStringLiteral("Accept-Encoding: gzip"),
        QStringLiteral("Accept-Language: de,en"),
        QString(),
    };
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLocal8Bit();
}

QString osVersion(const QString& platform, const QString& version, const QString& kernel,
                  const QLocale& locale) {
    QString localVersion = version;
    localVersion.replace(u'.', locale.decimalPoint());
    return platform + '.' + localVersion + '.' + kernel;
}

QString currentOsVersion() {
    return osVersion(QSysInfo::productType(), QSysInfo::productVersion(), QSysInfo::kernelVersion(),
                     QLocale());
}

QByteArray infoDatagram(const QString& hostName, const QString& os, const QString& programName) {
    const QStringList lines{
        QStringLiteral("Hostname: ") + hostName,
        QStringLiteral("Application: ") + programName,
        QStringLiteral("Version: ") + appversion::text(),
        QStringLiteral("OS-Version: ") + os,
    };
    return lines.join(QStringLiteral("\r\n")).toLocal8Bit();
}

}  // namespace checkmessages
