#include "targetopener.h"

#include <QDesktopServices>
#include <QRegularExpression>

namespace sys {

namespace {
TargetOpener* installed = nullptr;

TargetOpener& current() {
    static TargetOpener desktop;
    return installed ? *installed : desktop;
}
}  // namespace

void TargetOpener::open(const QString& target) {
    current().openUrl(urlOf(target));
}

QUrl TargetOpener::urlOf(const QString& target) {
    // A scheme is letters, digits, "+", "-" and "." before a colon, as in "mailto:" or
    // "https:"; "host:8080" has none, so it is a host with a port.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:(?![0-9])"));
    const QString text = target.trimmed();
    if (scheme.match(text).hasMatch()) return QUrl(text);
    return QUrl(QStringLiteral("https://") + text);
}

void TargetOpener::install(TargetOpener* opener) {
    installed = opener;
}

void TargetOpener::openUrl(const QUrl& url) {
    QDesktopServices::openUrl(url);
}

}  // namespace sys
