#pragma once

#include <QString>
#include <QUrl>

namespace sys {

// Hands a target (a web address, a host name, a "mailto:" address) to the desktop, which
// chooses the browser or mail program. The result is not examined: without such a program
// a click simply has no visible effect. Tests install a subclass that records the targets.
class TargetOpener {
public:
    virtual ~TargetOpener() = default;

    // Opens the target through the installed opener.
    static void open(const QString& target);
    // A target without a scheme is a host or web address and opens as "https://" + target.
    static QUrl urlOf(const QString& target);

    // Installs a replacement (not owned); nullptr returns to the desktop's opener.
    static void install(TargetOpener* opener);

protected:
    virtual void openUrl(const QUrl& url);
};

}  // namespace sys
