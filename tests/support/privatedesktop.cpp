#include "privatedesktop.h"

#include <QDeadlineTimer>
#include <QThread>

namespace {

constexpr int kStartMs = 10000;

// The first line a started process writes, trimmed; empty when none comes in time.
QByteArray firstLine(QProcess& process) {
    QDeadlineTimer deadline(kStartMs);
    process.waitForStarted(kStartMs);
    while (!process.canReadLine() && process.state() == QProcess::Running && !deadline.hasExpired())
        process.waitForReadyRead(int(deadline.remainingTime()));
    return process.canReadLine() ? process.readLine().trimmed() : QByteArray();
}

void stop(QProcess& process) {
    if (process.state() == QProcess::NotRunning) return;
    process.terminate();
    if (!process.waitForFinished(3000)) process.kill();
    process.waitForFinished(1000);
}

}  // namespace

// Half a desktop is none: what did start is ended at once and the variables are put back.
PrivateDesktop::PrivateDesktop() {
    running_ = startDisplay() && startSessionBus() && startAccessibilityBus();
    if (!running_) {
        end();
        return;
    }
    setVariable("QT_QPA_PLATFORM", "xcb");
    setVariable("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
}

PrivateDesktop::~PrivateDesktop() {
    end();
}

void PrivateDesktop::end() {
    stop(accessibility_);
    stop(sessionBus_);
    stop(display_);
    for (const auto& [name, value] : previous_) {
        if (value)
            qputenv(name.constData(), *value);
        else
            qunsetenv(name.constData());
    }
    previous_.clear();
}

// Xvfb names the display it took once it is ready for clients.
bool PrivateDesktop::startDisplay() {
    display_.start(QStringLiteral("Xvfb"),
                   {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                    QStringLiteral("0"), QStringLiteral("1280x1024x24"),
                    QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    const QByteArray number = firstLine(display_);
    if (number.isEmpty()) return fail(QStringLiteral("Xvfb did not start"));
    setVariable("DISPLAY", ':' + number);
    return true;
}

bool PrivateDesktop::startSessionBus() {
    sessionBus_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"),
                       QStringLiteral("--print-address=1")});
    const QByteArray address = firstLine(sessionBus_);
    if (address.isEmpty()) return fail(QStringLiteral("no session bus (dbus-daemon)"));
    setVariable("DBUS_SESSION_BUS_ADDRESS", address);
    return true;
}

// The launcher starts the accessibility bus and names it on the session bus; the programs
// find it there as they would on a desktop.
bool PrivateDesktop::startAccessibilityBus() {
    accessibility_.start(QStringLiteral("/usr/libexec/at-spi-bus-launcher"),
                         {QStringLiteral("--launch-immediately")});
    if (!accessibility_.waitForStarted(kStartMs))
        return fail(QStringLiteral("no accessibility bus (at-spi-bus-launcher)"));
    QDeadlineTimer deadline(kStartMs);
    while (!deadline.hasExpired()) {
        QProcess ask;
        ask.start(
            QStringLiteral("dbus-send"),
            {QStringLiteral("--session"), QStringLiteral("--print-reply"),
             QStringLiteral("--dest=org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
             QStringLiteral("org.freedesktop.DBus.NameHasOwner"),
             QStringLiteral("string:org.a11y.Bus")});
        if (ask.waitForFinished(kStartMs) && ask.readAllStandardOutput().contains("true"))
            return true;
        QThread::msleep(50);
    }
    return fail(QStringLiteral("the accessibility bus did not come up"));
}

bool PrivateDesktop::fail(const QString& why) {
    reason_ = why;
    return false;
}

void PrivateDesktop::setVariable(const char* name, const QByteArray& value) {
    previous_.append({QByteArray(name), qEnvironmentVariableIsSet(name)
                                            ? std::optional<QByteArray>(qgetenv(name))
                                            : std::nullopt});
    qputenv(name, value);
}
