#pragma once

#include "netcheck/hostsettings.h"
#include "netcheck/versioncheck.h"

#include <QHostAddress>
#include <QList>

class CheckLevel;
class NewsBox;
class QHostInfo;
class QPlainTextEdit;
class QPushButton;
class QTcpSocket;
class QUdpSocket;

// The hidden version-check window "Inet". A check sends the information datagram to the
// report host and asks the version host for the version file over HTTP/1.0; a newer
// version is announced in the about box, which opens when the level chosen in the options
// asks for it. Replies of the report host arrive as datagrams and are shown in message
// boxes. Everything is driven by socket events; failures end a check silently. The version
// host's connection is closed once its answer is judged.
class Inet : public VersionCheck {
    Q_OBJECT

public:
    Inet(NewsBox& info, const CheckLevel& options, const HostSettings& hosts,
         QWidget* parent = nullptr);
    ~Inet() override;

    QUdpSocket* Winsock1 = nullptr;     // receives reply datagrams
    QUdpSocket* Winsock2 = nullptr;     // sends the information datagram
    QTcpSocket* Winsock3 = nullptr;     // fetches the version file
    QPlainTextEdit* Version = nullptr;  // log of everything the version host sent
    QPushButton* Command1 = nullptr;    // "OK"

    static constexpr qsizetype kLogLimit = 64 * 1024;
    static constexpr qint64 kMaxReplyBytes = 8 * 1024;

    // Binds the reply port and runs the first check (start-up).
    void initWinsocks() override;
    // One check: sends the datagram and connects to the version host; returns at once.
    void VersionsPruefung();
    // The log as text, the last kLogLimit characters.
    QString logText() const { return log_; }

public slots:
    // The toolbar's "Versionscheck" and the options' "jetzt prüfen".
    void startUserCheck() override;

protected:
    // The log box is filled when the window is shown; it stays hidden in normal use.
    void showEvent(QShowEvent* event) override;

private:
    void sendRequest();
    void readVersionAnswer();
    void readReplies();
    bool isFromReportHost(const QHostAddress& sender) const;
    void showReply(const QByteArray& datagram);
    void reportHostFound(const QHostInfo& result);
    void appendLog(const QString& text);
    void sayNoNewVersion();

    NewsBox& info_;
    const CheckLevel& options_;
    HostSettings hosts_;
    QString log_;
    QList<QHostAddress> reportAddresses_;
    QByteArray pendingDatagram_;
    int reportLookup_ = -1;
    bool replyBoxOpen_ = false;
};
