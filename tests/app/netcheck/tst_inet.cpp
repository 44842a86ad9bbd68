#include "netcheck/checkmessages.h"
#include "netcheck/inet.h"
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
        QTest::addColumn<bool>("noneSaid");  // "keine neue Version verfügbar"
        const QByteArray head = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n";
        const QByteArrayList v1029{head + "[Version]\r\n1.0.29\r\n"};
        const QByteArrayList v200{head + "[Version]\r\n2.0.0"};
        const QByteArrayList v0999{head + "[Version]\r\n0.9.99\r\n"};
        QTest::newRow("1.0.29, level 0") << v1029 << 0 << "start-up"
                                         << "1.0.29" << true << false;
        QTest::newRow("1.0.29, unsaved level 1, jetzt prüfen") << v1029 << 1 << "options"
                                                               << "1.0.29" << false << true;
        QTest::newRow("2.0.0, level 2") << v200 << 2 << "start-up"
                                        << "2.0.0" << true << false;
        QTest::newRow("2.0.0, level 3 sends both") << v200 << 3 << "user"
                                                   << "2.0.0" << false << true;
        QTest::newRow("0.9.99, start-up") << v0999 << 0 << "start-up"
                                          << "" << false << false;
        QTest::newRow("0.9.99, user") << v0999 << 0 << "user"
                                      << "" << false << true;
        QTest::newRow("no CR LF after marker")
            << QByteArrayList{head + "[Version]1.0.29"} << 0 << "start-up"
            << "1.0.29" << true << false;
        QTest::newRow("CR LF after version")
            << QByteArrayList{head + "[Version]1.0.29\r\n"} << 0 << "user"
            << "" << false << true;
        QTest::newRow("one dot") << QByteArrayList{head + "[Version]\r\n1.0\r\n"} << 0 << "user"
                                 << "" << false << true;
        QTest::newRow("split chunks")
            << QByteArrayList{head + "[Ver", "sion]\r\n1.0.29\r\n"} << 0 << "user"
            << "" << false << false;
    }
    void check() {
        QFETCH(QByteArrayList, chunks);
        QFETCH(int, level);
        QFETCH(QString, start);
        QFETCH(QString, news);
        QFETCH(bool, infoShown);
        QFETCH(bool, noneSaid);
        CheckRig rig;
        rig.options.optVersion[level]->setChecked(true);
        if (noneSaid) rig.dialogs.answerMessage(sys::MessageAnswer::Ok);
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
                 "Hostname: " + QSysInfo::machineHostName().toLocal8Bit() +
                     "\r\nApplication: Beatloft\r\nVersion: 1.0.28\r\nOS-Version: " +
                     checkmessages::currentOsVersion().toLocal8Bit());
        QTRY_VERIFY(rig.versionHost.hasPendingConnections());
        QTcpSocket* peer = rig.versionHost.nextPendingConnection();
        QByteArray request;
        QTRY_VERIFY((request += peer->readAll()).endsWith("\r\n\r\n"));
        QCOMPARE(request,
                 "GET /Downloads/Programme/Beatloft/BeatloftVersion.txt HTTP/1.0\r\n"
                 "Connection: Keep-Alive\r\nUser-Agent: Korvanes Internetchecker\r\n"
                 "Host: " +
                     rig.hosts.VersionHost.toLatin1() +
                     "\r\nAccept: */*\r\n"
                     "Accept-Encoding: gzip\r\nAccept-Language: de,en\r\n\r\n");
        for (const QByteArray& chunk : chunks) {
            peer->write(chunk);
            QTRY_VERIFY(rig.inet->logText().endsWith(QString::fromLatin1(chunk)));
        }

        QCOMPARE(rig.dialogs.messageTexts(),
                 noneSaid ? QStringList{"keine neue Version verfügbar"} : QStringList{});
        QCOMPARE(rig.info->isVisible(), infoShown);
        QCOMPARE(rig.info->InfoText1->toPlainText(),
                 news.isEmpty() ? kDescription
                                : "Neuere Version " + news +
                                      " verfügbar!\nDie vorliegende Version ist:\n1.0.28");
        QCOMPARE(rig.info->InfoText1->font().bold(), !news.isEmpty());
        QCOMPARE(rig.info->InfoText1->palette().color(QPalette::Text) == Qt::red, !news.isEmpty());
        QCOMPARE(rig.inet->VersionsPruefungAktiv, start != "start-up" && !noneSaid);
        QVERIFY(!sys::SettingsStore::value(frmOptions::kSection, frmOptions::kKey).isValid());
    }

    // A host that streams answer after answer gets one verdict: the connection is closed
    // after it, so the about box is not opened (and activated) again.
    void oneVerdictPerCheck() {
        CheckRig rig;
        rig.inet->initWinsocks();
        QTRY_VERIFY(rig.versionHost.hasPendingConnections());
        QTcpSocket* peer = rig.versionHost.nextPendingConnection();
        const QByteArray answer = "[Version]\r\n9.9.9\r\n";
        peer->write(answer);
        QTRY_VERIFY(rig.info->isVisible());
        rig.info->hide();
        QTRY_COMPARE(peer->state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(rig.inet->Winsock3->state(), QAbstractSocket::UnconnectedState);
        QVERIFY(!rig.info->isVisible());
        QCOMPARE(rig.inet->logText(), "\r\n" + QString::fromLatin1(answer));
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
        QTcpServer closed;
        if (refused && closed.listen(QHostAddress::LocalHost)) {
            hosts.VersionHost = QStringLiteral("127.0.0.1:%1").arg(closed.serverPort());
            closed.close();
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
        QVERIFY(dialogs.shown().isEmpty() && !info.isVisible() && inet.logText().isEmpty());
    }

    // A reply is taken only from the report host's address, only 8 KiB of it is read, and
    // what arrives while its boxes are open is dropped.
    void replies() {
        CheckRig rig;
        rig.inet->initWinsocks();
        QTRY_VERIFY(rig.reportHost.hasPendingDatagrams());
        QUdpSocket stranger;
        QVERIFY(stranger.bind(QHostAddress(QStringLiteral("127.0.0.2")), 0));
        stranger.writeDatagram("[Version]\r\n2.0.0", QHostAddress::LocalHost,
                               rig.inet->Winsock1->localPort());
        const QByteArray reply = "[Version]\r\n2.0.0\r\n" + QByteArray(10000, 'x');
        const QString news =
            "Neuere Version 2.0.0 verfügbar!\r\nDie vorliegende Version ist:\r\n1.0.28";
        rig.dialogs.whileOpen = [&] {
            rig.sendReply("zweite");
            QTest::qWait(200);
        };
        for (int i = 0; i < 3; ++i) rig.dialogs.answerMessage(sys::MessageAnswer::Ok);
        rig.sendReply(reply);
        QTRY_COMPARE(rig.dialogs.messageTexts().size(), 2);
        QTest::qWait(100);
        rig.sendReply("dritte");
        QTRY_COMPARE(
            rig.dialogs.messageTexts(),
            (QStringList{QString::fromLatin1(reply.left(Inet::kMaxReplyBytes)), news, "dritte"}));
        QVERIFY(!rig.info->isVisible());
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
