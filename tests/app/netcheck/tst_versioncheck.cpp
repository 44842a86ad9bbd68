#include "netcheck/checkmessages.h"
#include "netcheck/hostsettings.h"
#include "netcheck/versionparser.h"

#include <QTest>

// The pure rules of the version check: reading an answer, the messages sent, the hosts.
class TstVersionCheck : public QObject {
    Q_OBJECT

private slots:
    void parse_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QStringList>("parts");
        QTest::addColumn<int>("difference");
        const QString http = QStringLiteral("HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n");
        QTest::newRow("newer revision") << http + "[Version]\r\n1.0.29\r\n"
                                        << true << QStringList{"1", "0", "29"} << 1;
        QTest::newRow("newer minor") << "[Version]\r\n1.1.0\r\n"
                                     << true << QStringList{"1", "1", "0"} << 2;
        QTest::newRow("newer major")
            << "[Version]\r\n2.0.0" << true << QStringList{"2", "0", "0"} << 3;
        QTest::newRow("older") << "[Version]\r\n0.9.99\r\n"
                               << true << QStringList{"0", "9", "99"} << 0;
        QTest::newRow("same") << "[Version]\r\n1.0.28\r\nrest" << true
                              << QStringList{"1", "0", "28"} << 0;
        QTest::newRow("no CR LF after the marker")
            << "[Version]1.0.29" << true << QStringList{"1", "0", "29"} << 1;
        QTest::newRow("CR LF after the version on the marker line")
            << http + "[Version]1.0.29\r\n"
            << true << QStringList{"", "", ""} << 0;
        QTest::newRow("one dot only") << "[Version]\r\n1.0\r\n"
                                      << true << QStringList{"1", "", ""} << 0;
        QTest::newRow("empty version line") << "[Version]\r\n\r\n"
                                            << true << QStringList{"", "", ""} << 0;
        QTest::newRow("marker at the end") << "x[Version]" << true << QStringList{"", "", ""} << 0;
        QTest::newRow("leading blank")
            << "[Version]\r\n 2.0.0" << true << QStringList{" 2", "0", "0"} << 3;
        QTest::newRow("number too large for an int")
            << "[Version]\r\n1.99999999999999999999.0" << true
            << QStringList{"1", "99999999999999999999", "0"} << 2;
        QTest::newRow("no marker") << "1.0.29\r\n" << false << QStringList{} << 0;
        QTest::newRow("marker in other case")
            << "[version]\r\n2.0.0" << false << QStringList{} << 0;
        QTest::newRow("letter for the minor number")
            << "[Version]\r\n1.x.29" << false << QStringList{} << 0;
        QTest::newRow("text before the major number")
            << "[Version]\r\nv2.0.0" << false << QStringList{} << 0;
    }
    void parse() {
        QFETCH(QString, text);
        QFETCH(bool, found);
        QFETCH(QStringList, parts);
        QFETCH(int, difference);
        const std::optional<AnswerVersion> version = versionparser::parse(text);
        QCOMPARE(version.has_value(), found);
        if (!found) return;
        QCOMPARE((QStringList{version->major, version->minor, version->revision}), parts);
        QCOMPARE(versionparser::difference(*version), difference);
    }

    void announcement() {
        QCOMPARE(versionparser::announcement({"1", "0", "29"}),
                 QStringLiteral("Neuere Version 1.0.29 verfügbar!\r\nDie vorliegende Version "
                                "ist:\r\n1.0.28"));
    }

    void replyMessages_data() {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<bool>("userCheck");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("userCheckAfter");
        const QString news = versionparser::announcement({"2", "0", "0"});
        const QString none = QStringLiteral("keine neue Version verfügbar");
        QTest::newRow("no version, user")
            << QByteArray("Danke") << true << QStringList{"Danke"} << true;
        QTest::newRow("newer, start-up") << QByteArray("[Version]\r\n2.0.0") << false
                                         << QStringList{"[Version]\r\n2.0.0", news} << false;
        QTest::newRow("newer, user") << QByteArray("[Version]\r\n2.0.0") << true
                                     << QStringList{"[Version]\r\n2.0.0", news} << true;
        QTest::newRow("older, user") << QByteArray("[Version]\r\n0.1.0") << true
                                     << QStringList{"[Version]\r\n0.1.0", none} << false;
        QTest::newRow("older, start-up") << QByteArray("[Version]\r\n0.1.0") << false
                                         << QStringList{"[Version]\r\n0.1.0"} << false;
    }
    void replyMessages() {
        QFETCH(QByteArray, datagram);
        QFETCH(bool, userCheck);
        QFETCH(QStringList, messages);
        QFETCH(bool, userCheckAfter);
        QCOMPARE(versionparser::replyMessages(datagram, userCheck), messages);
        QCOMPARE(userCheck, userCheckAfter);
    }

    void versionRequest_data() {
        QTest::addColumn<QString>("host");
        QTest::newRow("default host") << "www.beatloft.example";
        QTest::newRow("host with port") << "127.0.0.1:8080";
    }
    void versionRequest() {
        QFETCH(QString, host);
        const QByteArray expected =
            "GET /Downloads/Programme/Beatloft/BeatloftVersion.txt HTTP/1.0\r\n"
            "Connection: Keep-Alive\r\n"
            "User-Agent: Korvanes Internetchecker\r\n"
            "Host: " +
            host.toLatin1() +
            "\r\n"
            "Accept: */*\r\n"
            "Accept-Encoding: gzip\r\n"
            "Accept-Language: de,en\r\n"
            "\r\n";
        QCOMPARE(checkmessages::versionRequest(host), expected);
    }

    void infoDatagram() {
        QCOMPARE(checkmessages::infoDatagram("studio-pc", "debian.12.6.1.0-18-amd64"),
                 QByteArray("Hostname: studio-pc\r\nApplication: Beatloft\r\nVersion: 1.0.28\r\n"
                            "OS-Version: debian.12.6.1.0-18-amd64"));
    }

    void osVersion_data() {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("expected");
        QTest::newRow("German") << "22.04" << QLocale(QLocale::German) << "ubuntu.22,04.5.15.0";
        QTest::newRow("English") << "22.04" << QLocale(QLocale::English) << "ubuntu.22.04.5.15.0";
        QTest::newRow("whole number") << "12" << QLocale(QLocale::German) << "ubuntu.12.5.15.0";
    }
    void osVersion() {
        QFETCH(QString, version);
        QFETCH(QLocale, locale);
        QFETCH(QString, expected);
        QCOMPARE(checkmessages::osVersion("ubuntu", version, "5.15.0", locale), expected);
    }

    void endpoint_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::newRow("host") << "www.beatloft.example"
                              << "www.beatloft.example" << 80;
        QTest::newRow("host and port") << "127.0.0.1:8080"
                                       << "127.0.0.1" << 8080;
        QTest::newRow("bracketed IPv6 and port") << "[::1]:8080"
                                                 << "::1" << 8080;
        QTest::newRow("bare IPv6") << "::1"
                                   << "::1" << 80;
        QTest::newRow("port 0") << "host:0"
                                << "host:0" << 80;
        QTest::newRow("port too large") << "host:70000"
                                        << "host:70000" << 80;
        QTest::newRow("port not a number") << "host:x"
                                           << "host:x" << 80;
    }
    void endpoint() {
        QFETCH(QString, text);
        QFETCH(QString, host);
        QFETCH(int, port);
        const HostSettings::Endpoint endpoint = HostSettings::endpointOf(text, 80);
        QCOMPARE(endpoint.host, host);
        QCOMPARE(int(endpoint.port), port);
    }

    void reserved_data() {
        QTest::addColumn<QString>("host");
        QTest::addColumn<bool>("reserved");
        QTest::newRow("default version host") << "www.beatloft.example" << true;
        QTest::newRow("upper case, final dot") << "REPORT.BEATLOFT.EXAMPLE." << true;
        QTest::newRow("example.com") << "example.com" << false;
        QTest::newRow("loopback") << "127.0.0.1" << false;
        QTest::newRow("name ending in example") << "myexample" << false;
    }
    void reserved() {
        QFETCH(QString, host);
        QFETCH(bool, reserved);
        QCOMPARE(HostSettings::isReserved(host), reserved);
    }

    void environment() {
        const HostSettings defaults = HostSettings::fromEnvironment();
        QCOMPARE(defaults.VersionHost, QStringLiteral("www.beatloft.example"));
        QCOMPARE(defaults.ReportHost, QStringLiteral("report.beatloft.example"));
        QCOMPARE(defaults.HomePageUrl, QStringLiteral("https://www.beatloft.example/"));
        QCOMPARE(int(defaults.versionEndpoint().port), 80);
        QCOMPARE(int(defaults.reportEndpoint().port), 1345);
        QCOMPARE(int(defaults.replyPort), 1346);

        qputenv("BEATLOFT_VERSION_HOST", "127.0.0.1:8080");
        qputenv("BEATLOFT_REPORT_HOST", "127.0.0.1:9000");
        qputenv("BEATLOFT_REPLY_PORT", "9001");
        qputenv("BEATLOFT_HOMEPAGE", "https://127.0.0.1:8080/start");
        const HostSettings set = HostSettings::fromEnvironment();
        qunsetenv("BEATLOFT_VERSION_HOST");
        qunsetenv("BEATLOFT_REPORT_HOST");
        qunsetenv("BEATLOFT_REPLY_PORT");
        qunsetenv("BEATLOFT_HOMEPAGE");
        QCOMPARE(set.VersionHost, QStringLiteral("127.0.0.1:8080"));
        QCOMPARE(int(set.versionEndpoint().port), 8080);
        QCOMPARE(set.reportEndpoint().host, QStringLiteral("127.0.0.1"));
        QCOMPARE(int(set.reportEndpoint().port), 9000);
        QCOMPARE(int(set.replyPort), 9001);
        QCOMPARE(set.HomePageUrl, QStringLiteral("https://127.0.0.1:8080/start"));
    }

    void initTestCase() {
        qunsetenv("BEATLOFT_VERSION_HOST");
        qunsetenv("BEATLOFT_REPORT_HOST");
        qunsetenv("BEATLOFT_REPLY_PORT");
        qunsetenv("BEATLOFT_HOMEPAGE");
    }
};

QTEST_GUILESS_MAIN(TstVersionCheck)
#include "tst_versioncheck.moc"
