#pragma once

#include <QString>
#include <QtGlobal>

// The hosts the version check talks to and the pages the about box opens, fixed at start-up.
// The defaults lie under the reserved top-level domain ".example", which never resolves, so
// nothing leaves the computer until a real server is configured through the environment:
// BEATLOFT_VERSION_HOST and BEATLOFT_REPORT_HOST (host or host:port), BEATLOFT_REPLY_PORT,
// BEATLOFT_HOMEPAGE.
struct HostSettings {
    struct Endpoint {
        QString host;
        quint16 port = 0;
    };

    // The web host of the version file, as text: shown, opened and sent in "Host:".
    QString VersionHost = QStringLiteral("www.beatloft.example");
    // The host that receives the information datagram.
    QString ReportHost = QStringLiteral("report.beatloft.example");
    QString HomePageUrl = QStringLiteral("https://www.beatloft.example/");
    // Local port for reply datagrams; 0 takes any free port.
    quint16 replyPort = 1346;

    static constexpr quint16 kVersionPort = 80;
    static constexpr quint16 kReportPort = 1345;

    static HostSettings fromEnvironment();

    Endpoint versionEndpoint() const { return endpointOf(VersionHost, kVersionPort); }
    Endpoint reportEndpoint() const { return endpointOf(ReportHost, kReportPort); }

    // "host", "host:port", "[v6 address]:port"; a port that is not a number from 1 to
    // 65535 leaves the whole text as the host.
    static Endpoint endpointOf(const QString& text, quint16 defaultPort);
    // Names under a reserved top-level domain are never looked up.
    static bool isReserved(const QString& host);
};
