#include "netcheck/checkmessages.h"
#include "netcheck/inet.h"
#include "netcheck/versionparser.h"
#include "scripteddialogs.h"
#include "settingssandbox.h"
#include "shell/frmoptions.h"
#include "shell/info.h"
#include "system/settingsstore.h"

#include <QNetworkDatagram>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSysInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QUdpSocket>
#include <functional>
#include <memory>

namespace {

const QString kDescription = QStringLiteral("Programm zum Erstellen von Drum-Patterns");

// Scripted dialogs that can run something while the first box is open, as a real modal
// box runs the event loop.
class ModalDialogs : public ScriptedDialogs {
public:
    std::function<void()> whileOpen;

protected:
    sys::MessageAnswer showMessage(const sys::MessageRequest& request) override {
        if (auto run = std::exchange(whileOpen, nullptr)) run();
        return ScriptedDialogs::showMessage(request);
    }
};

// A version check with its peers on 127.0.0.1: a version host answering like an HTTP/1.0
// server and a report host receiving and sending datagrams.
struct CheckRig {
    SettingsSandbox settings;
    ModalDialogs dialogs;
    QTcpServer versionHost;
    QUdpSocket reportHost;
    HostSettings hosts;
    std::unique_ptr<Info> info;
    frmOptions options;
    std::unique_ptr<Inet> inet;

    CheckRig() {
        versionHost.listen(QHostAddress::LocalHost);
        reportHost.bind(QHostAddress::LocalHost);
        hosts.VersionHost = QStringLiteral("127.0.0.1:%1").arg(versionHost.serverPort());
        hosts.ReportHost = QStringLiteral("127.0.0.1:%1").arg(reportHost.localPort());
        hosts.replyPort = 0;
        info = std::make_unique<Info>(hosts.VersionHost, hosts.HomePageUrl);
        info->writeDescription();
        inet = std::make_unique<Inet>(*info, options, hosts);
        options.OptionsSetting();
    }
    void sendReply(const QByteArray& data) {
        reportHost.writeDatagram(data, QHostAddress::LocalHost, inet->Winsock1->localPort());
    }
};

}  // namespace

// The version check against peers the test runs on the loopback interface.
class TstInet : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qunsetenv("BEATLOFT_VERSION_HOST"); }

    void check_data() {
        QTest::addColumn<QByteArrayList>("chunks");
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("news");  // the version announced, or empty
        QTest::addColumn<bool>("infoShown");
        QTest::addColumn<QStringList>("messages");
        const QByteArray head = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n";
        const QByteArray v1029 = head + "[Version]\r\n1.0.29\r\n";
        const QStringList none{QStringLiteral("keine neue Version verfügbar")};
        QTest::newRow("1.0.29 at level 0") << QByteArrayList{v1029} << 0 << "start-up"
                                           << "1.0.29" << true << QStringList{};
        QTest::newRow("1.0.29 at unsaved level 1, jetzt prüfen")
            << QByteArrayList{v1029} << 1 << "options"
            << "1.0.29" << false << none;
        QTest::newRow("2.0.0 at level 2")
            << QByteArrayList{head + "[Version]\r\n2.0.0"} << 2 << "start-up"
            << "2.0.0" << true << QStringList{};
        QTest::newRow("2.0.0 at level 3 still sends both, user")
            << QByteArrayList{head + "[Version]\r\n2.0.0"} << 3 << "user"
            << "2.0.0" << false << none;
        QTest::newRow("0.9.99 at start-up")
            << QByteArrayList{head + "[Version]\r\n0.9.99\r\n"} << 0 << "start-up"
            << "" << false << QStringList{};
        QTest::newRow("0.9.99, user")
            << QByteArrayList{head + "[Version]\r\n0.9.99\r\n"} << 0 << "user"
            << "" << false << none;
        QTest::newRow("no CR LF after the marker")
            << QByteArrayList{head + "[Version]1.0.29"} << 0 << "start-up"
            << "1.0.29" << true << QStringList{};
        QTest::newRow("CR LF after the version, user")
            << QByteArrayList{head + "[Version]1.0.29\r\n"} << 0 << "user"
            << "" << false << none;
        QTest::newRow("one dot only, user")
            << QByteArrayList{head + "[Version]\r\n1.0\r\n"} << 0 << "user"
            << "" << false << none;
        QTest::newRow("split chunks, user")
            << QByteArrayList{head + "[Ver", "sion]\r\n1.0.29\r\n"} << 0 << "user"
            << "" << false << QStringList{};
        QTest::newRow("no version, user") << QByteArrayList{head + "Nicht gefunden"} << 0 << "user"
                                          << "" << false << QStringList{};
    }
    void check() {
        QFETCH(QByteArrayList, chunks);
        QFETCH(int, level);
        QFETCH(QString, start);
        QFETCH(QString, news);
        QFETCH(bool, infoShown);
        QFETCH(QStringList, messages);
        CheckRig rig;
        rig.options.optVersion[level]->setChecked(true);
        for (int i = 0; i < messages.size(); ++i) rig.dialogs.answerMessage(sys::MessageAnswer::Ok);
        connect(&rig.options, &frmOptions::versionCheckRequested, rig.inet.get(),
                &Inet::startUserCheck);
        if (start == "start-up")
            rig.inet->initWinsocks();
        else if (start == "user")
            rig.inet->startUserCheck();
        else
            QTest::mouseClick(rig.options.cmdVersionspruefung, Qt::LeftButton);

        QTRY_VERIFY(rig.reportHost.hasPendingDatagrams());
        QCOMPARE(rig.reportHost.receiveDatagram().data(),
                 checkmessages::infoDatagram(QSysInfo::machineHostName(),
                                             checkmessages::currentOsVersion()));
        QTRY_VERIFY(rig.versionHost.hasPendingConnections());
        QTcpSocket* peer = rig.versionHost.nextPendingConnection();
        QByteArray request;
        QTRY_VERIFY((request += peer->readAll()).endsWith("\r\n\r\n"));
        QCOMPARE(request, checkmessages::versionRequest(rig.hosts.VersionHost));
        QVERIFY(request.contains("\r\nHost: 127.0.0.1:"));
        for (const QByteArray& chunk : chunks) {
            peer->write(chunk);
            QTRY_VERIFY(rig.inet->logText().endsWith(QString::fromLatin1(chunk)));
        }

        QCOMPARE(rig.dialogs.messageTexts(), messages);
        QCOMPARE(rig.info->isVisible(), infoShown);
        const QStringList parts = news.split(u'.');
        const QString expected =
            news.isEmpty()
                ? kDescription
                : versionparser::announcement({parts.value(0), parts.value(1), parts.value(2)});
        QCOMPARE(rig.info->description(), expected);
        QCOMPARE(rig.info->InfoText1->toPlainText().split(u'\n').size(), news.isEmpty() ? 1 : 3);
        QCOMPARE(rig.info->InfoText1->font().bold(), !news.isEmpty());
        QCOMPARE(rig.info->InfoText1->palette().color(QPalette::Text) == QColor(255, 0, 0),
                 !news.isEmpty());
        QCOMPARE(rig.inet->VersionsPruefungAktiv, start != "start-up" && messages.isEmpty());
        QVERIFY(!sys::SettingsStore::value(frmOptions::kSection, frmOptions::kKey).isValid());
    }

    // Default hosts lie under ".example": nothing is looked up, sent, said or shown, and a
    // refused connection ends a user's check just as silently.
    void failuresAreSilent_data() {
        QTest::addColumn<bool>("refused");
        QTest::newRow("default hosts") << false;
        QTest::newRow("version host refuses") << true;
    }
    void failuresAreSilent() {
        QFETCH(bool, refused);
        static QStringList warnings;
        warnings.clear();
        ModalDialogs dialogs;
        HostSettings hosts = HostSettings::fromEnvironment();
        if (refused) {
            QTcpServer closed;
            QVERIFY(closed.listen(QHostAddress::LocalHost));
            hosts.VersionHost = QStringLiteral("127.0.0.1:%1").arg(closed.serverPort());
        }
        Info info(hosts.VersionHost, hosts.HomePageUrl);
        frmOptions options;
        Inet inet(info, options, hosts);
        const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& text) { warnings << text; });
        inet.initWinsocks();
        if (!refused) QCOMPARE(inet.Winsock3->state(), QAbstractSocket::UnconnectedState);
        inet.startUserCheck();
        QTest::qWait(300);
        qInstallMessageHandler(previous);
        QCOMPARE(inet.Winsock3->state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(warnings, QStringList{});
        QVERIFY(dialogs.shown().isEmpty());
        QVERIFY(!info.isVisible());
        QVERIFY(inet.logText().isEmpty());
        QVERIFY(inet.VersionsPruefungAktiv);
    }

    // A reply is taken only from the report host's address and only 8 KiB of it is read.
    void replyFromReportHost() {
        CheckRig rig;
        rig.inet->initWinsocks();
        QTRY_VERIFY(rig.reportHost.hasPendingDatagrams());
        QUdpSocket stranger;
        QVERIFY(stranger.bind(QHostAddress(QStringLiteral("127.0.0.2")), 0));
        stranger.writeDatagram("[Version]\r\n2.0.0", QHostAddress::LocalHost,
                               rig.inet->Winsock1->localPort());
        const QByteArray reply = "[Version]\r\n2.0.0\r\n" + QByteArray(10000, 'x');
        rig.dialogs.answerMessage(sys::MessageAnswer::Ok);
        rig.dialogs.answerMessage(sys::MessageAnswer::Ok);
        rig.sendReply(reply);
        QTRY_COMPARE(rig.dialogs.messageTexts().size(), 2);
        QCOMPARE(rig.dialogs.messageTexts(),
                 (QStringList{QString::fromLatin1(reply.left(Inet::kMaxReplyBytes)),
                              versionparser::announcement({"2", "0", "0"})}));
        QVERIFY(!rig.info->isVisible());
    }

    void oneReplyBoxAtATime() {
        CheckRig rig;
        rig.inet->initWinsocks();
        QTRY_VERIFY(rig.reportHost.hasPendingDatagrams());
        rig.dialogs.whileOpen = [&] {
            rig.sendReply("zweite");
            QTest::qWait(200);
        };
        rig.dialogs.answerMessage(sys::MessageAnswer::Ok);
        rig.sendReply("erste");
        QTRY_COMPARE(rig.dialogs.messageTexts(), QStringList{"erste"});
        QTest::qWait(100);
        rig.dialogs.answerMessage(sys::MessageAnswer::Ok);
        rig.sendReply("dritte");
        QTRY_COMPARE(rig.dialogs.messageTexts(), (QStringList{"erste", "dritte"}));
    }

    void logStaysBounded() {
        CheckRig rig;
        rig.inet->initWinsocks();
        QTRY_VERIFY(rig.versionHost.hasPendingConnections());
        QTcpSocket* peer = rig.versionHost.nextPendingConnection();
        const QByteArray block(64 * 1024, 'a');
        for (int i = 0; i < 160; ++i) peer->write(block);
        peer->write("ENDE");
        peer->disconnectFromHost();
        QTRY_COMPARE_WITH_TIMEOUT(rig.inet->Winsock3->state(), QAbstractSocket::UnconnectedState,
                                  60000);
        const QString log = rig.inet->logText();
        QCOMPARE(log.size(), Inet::kLogLimit);
        QVERIFY(QString(log).remove(QStringLiteral("\r\n")).endsWith(QStringLiteral("aaaENDE")));
        rig.inet->show();
        QCOMPARE(rig.inet->Version->toPlainText(),
                 QString(log).replace(QStringLiteral("\r\n"), "\n"));
    }
};

QTEST_MAIN(TstInet)
#include "tst_inet.moc"
