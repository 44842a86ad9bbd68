#include "inet.h"

#include "netcheck/checklevel.h"
#include "netcheck/checkmessages.h"
#include "netcheck/newsbox.h"
#include "netcheck/versionparser.h"
#include "system/dialogs.h"
#include "views/windowaccessible.h"

#include <QHostInfo>
#include <QNetworkDatagram>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSysInfo>
#include <QTcpSocket>
#include <QUdpSocket>
#include <QVBoxLayout>
#include <algorithm>

Inet::Inet(NewsBox& info, const CheckLevel& options, const HostSettings& hosts, QWidget* parent)
    : VersionCheck(parent), info_(info), options_(options), hosts_(hosts) {
    installWindowAccessibleFactory();
    setObjectName(QStringLiteral("Inet"));
    setWindowTitle(tr("Inet"));
    auto* layout = new QVBoxLayout(this);
    Version = new QPlainTextEdit(this);
    Version->setReadOnly(true);
    Command1 = new QPushButton(tr("OK"), this);
    layout->addWidget(Version);
    layout->addWidget(Command1, 0, Qt::AlignRight);
    connect(Command1, &QPushButton::clicked, this, &QWidget::hide);

    Winsock1 = new QUdpSocket(this);
    Winsock2 = new QUdpSocket(this);
    Winsock3 = new QTcpSocket(this);
    // A version host that never stops sending costs at most this much memory per chunk.
    Winsock3->setReadBufferSize(kLogLimit);
    connect(Winsock1, &QUdpSocket::readyRead, this, &Inet::readReplies);
    connect(Winsock3, &QTcpSocket::connected, this, &Inet::sendRequest);
    connect(Winsock3, &QTcpSocket::readyRead, this, &Inet::readVersionAnswer);
}

Inet::~Inet() {
    if (reportLookup_ >= 0) QHostInfo::abortHostLookup(reportLookup_);
}

void Inet::initWinsocks() {
    // A port already taken (a second instance) leaves this one without replies.
    Winsock1->bind(QHostAddress::Any, hosts_.replyPort, QAbstractSocket::DontShareAddress);
    VersionsPruefung();
}

void Inet::startUserCheck() {
    VersionsPruefungAktiv = true;
    VersionsPruefung();
}

void Inet::VersionsPruefung() {
    pendingDatagram_ =
        checkmessages::infoDatagram(QSysInfo::machineHostName(), checkmessages::currentOsVersion());
    const HostSettings::Endpoint report = hosts_.reportEndpoint();
    if (reportLookup_ >= 0) QHostInfo::abortHostLookup(reportLookup_);
    reportLookup_ = -1;
    if (!HostSettings::isReserved(report.host))
        reportLookup_ = QHostInfo::lookupHost(report.host, this, &Inet::reportHostFound);

    Winsock3->abort();
    const HostSettings::Endpoint version = hosts_.versionEndpoint();
    if (!HostSettings::isReserved(version.host))
        Winsock3->connectToHost(version.host, version.port);
}

void Inet::reportHostFound(const QHostInfo& result) {
    reportLookup_ = -1;
    reportAddresses_ = result.addresses();
    if (reportAddresses_.isEmpty()) return;
    Winsock2->writeDatagram(pendingDatagram_, reportAddresses_.first(),
                            hosts_.reportEndpoint().port);
}

void Inet::sendRequest() {
    Winsock3->write(checkmessages::versionRequest(hosts_.VersionHost));
}

void Inet::readVersionAnswer() {
    if (Winsock3->bytesAvailable() == 0) return;
    const QString text = QString::fromLocal8Bit(Winsock3->readAll());
    appendLog(QStringLiteral("\r\n") + text);
    const std::optional<AnswerVerdict> verdict = versionparser::judge(text);
    if (!verdict) return;
    // One verdict per check: whatever the host sends after it is not heard.
    Winsock3->abort();
    if (verdict->difference > 0) info_.announce(verdict->announcement);
    if (verdict->difference > options_.selectedLevel())
        info_.showInfo();
    else
        sayNoNewVersion();
}

void Inet::sayNoNewVersion() {
    if (!VersionsPruefungAktiv) return;
    // Cleared before the box opens, so an answer arriving meanwhile does not say it again.
    VersionsPruefungAktiv = false;
    sys::Dialogs::current().message(versionparser::noNewVersionText());
}

void Inet::appendLog(const QString& text) {
    log_ += text;
    if (log_.size() > kLogLimit) log_ = log_.right(kLogLimit);
    if (isVisible()) Version->setPlainText(log_);
}

void Inet::showEvent(QShowEvent* event) {
    Version->setPlainText(log_);
    QWidget::showEvent(event);
}

void Inet::readReplies() {
    while (Winsock1->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = Winsock1->receiveDatagram(kMaxReplyBytes);
        if (replyBoxOpen_ || !isFromReportHost(datagram.senderAddress())) continue;
        showReply(datagram.data());
        // What arrived while the boxes were open is dropped unread.
        while (Winsock1->hasPendingDatagrams()) Winsock1->receiveDatagram(0);
    }
}

// Any sender on the network could otherwise open message boxes in the program.
bool Inet::isFromReportHost(const QHostAddress& sender) const {
    return std::any_of(reportAddresses_.cbegin(), reportAddresses_.cend(),
                       [&](const QHostAddress& address) {
                           return address.isEqual(sender, QHostAddress::TolerantConversion);
                       });
}

void Inet::showReply(const QByteArray& datagram) {
    replyBoxOpen_ = true;
    for (const QString& text : versionparser::replyMessages(datagram, VersionsPruefungAktiv))
        sys::Dialogs::current().message(text);
    replyBoxOpen_ = false;
}
