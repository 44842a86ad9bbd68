#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <optional>
#include <utility>

// An X display of its own (Xvfb) with a session bus and an accessibility bus on it, made this
// process's desktop for as long as the object lives: the programs it starts open their windows
// there through the X platform, with Qt's accessibility bridge on, as on a desktop where a
// screen reader may listen.
class PrivateDesktop {
public:
    PrivateDesktop();
    ~PrivateDesktop();
    PrivateDesktop(const PrivateDesktop&) = delete;
    PrivateDesktop& operator=(const PrivateDesktop&) = delete;

    bool isRunning() const { return running_; }
    // Why the desktop is not running (for a skipped benchmark).
    QString reason() const { return reason_; }

private:
    bool startDisplay();
    bool startSessionBus();
    bool startAccessibilityBus();
    bool fail(const QString& why);
    void end();
    void setVariable(const char* name, const QByteArray& value);

    QProcess display_;
    QProcess sessionBus_;
    QProcess accessibility_;
    // The variables this object set, with the values they had before.
    QList<std::pair<QByteArray, std::optional<QByteArray>>> previous_;
    bool running_ = false;
    QString reason_;
};
