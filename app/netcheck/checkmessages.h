#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>

// The two messages a version check sends: the information datagram to the report host and
// the HTTP/1.0 request for the version file.
namespace checkmessages {

// The program's name as the servers know it: in the request's path and the datagram.
inline const QString kProgramName = QStringLiteral("Beatloft");

// The request for the version file, every line ended by CR LF, an empty line at the end.
// versionHost goes into the "Host:" line as it is, with its port when it names one.
QByteArray versionRequest(const QString& versionHost, const QString& programName = kProgramName);

// Platform, ".", its version written with the locale's decimal point, ".", the kernel
// version: "debian.12.6.1.0-18-amd64", "ubuntu.22,04.5.15.0" in a German locale.
QString osVersion(const QString& platform, const QString& version, const QString& kernel,
                  const QLocale& locale);
// The same for the running system and the user's locale.
QString currentOsVersion();

// The information datagram: host name, program, running version and operating system, one
// per line, CR LF between them and none at the end, as 8-bit text.
QByteArray infoDatagram(const QString& hostName, const QString& os,
                        const QString& programName = kProgramName);

}  // namespace checkmessages
