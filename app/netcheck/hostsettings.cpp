#include "hostsettings.h"

namespace {

QString environmentOr(const char* name, const QString& fallback) {
    const QString value = qEnvironmentVariable(name).trimmed();
    return value.isEmpty() ? fallback : value;
}

QString withoutBrackets(const QString& host) {
    if (host.startsWith(u'[') && host.endsWith(u']')) return host.mid(1, host.size() - 2);
    return host;
}

}  // namespace

HostSettings HostSettings::fromEnvironment() {
    HostSettings settings;
    settings.VersionHost = environmentOr("BEATLOFT_VERSION_HOST", settings.VersionHost);
    settings.ReportHost = environmentOr("BEATLOFT_REPORT_HOST", settings.ReportHost);
    settings.HomePageUrl = environmentOr("BEATLOFT_HOMEPAGE", settings.HomePageUrl);
    bool ok = false;
    const quint16 port = qEnvironmentVariable("BEATLOFT_REPLY_PORT").trimmed().toUShort(&ok);
    if (ok) settings.replyPort = port;
    return settings;
}

HostSettings::Endpoint HostSettings::endpointOf(const QString& text, quint16 defaultPort) {
    const qsizetype colon = text.lastIndexOf(u':');
    const QString host = text.left(colon);
    // A bare IPv6 address has colons of its own; only a bracketed one may carry a port.
    const bool portAllowed = colon > 0 && (!host.contains(u':') || host.endsWith(u']'));
    bool ok = false;
    const quint16 port = portAllowed ? text.mid(colon + 1).toUShort(&ok) : 0;
    if (!ok || port == 0) return {withoutBrackets(text), defaultPort};
    return {withoutBrackets(host), port};
}

bool HostSettings::isReserved(const QString& host) {
    QString name = host.toLower();
    if (name.endsWith(u'.')) name.chop(1);
    return name == QStringLiteral("example") || name.endsWith(QStringLiteral(".example"));
}
