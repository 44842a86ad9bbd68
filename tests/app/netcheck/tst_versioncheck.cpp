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
        QTest::addColumn<QStringList>("parts");  // empty: no version in the text
        QTest::addColumn<int>("difference");
        const QStringList none{"", "", ""};
        QTest::newRow("minor") << "[Version]\r\n1.1.0\r\n" << QStringList{"1", "1", "0"} << 2;
        QTest::newRow("major") << "[Version]\r\n2.0.0" << QStringList{"2", "0", "0"} << 3;
        QTest::newRow("marker at end") << "x[Version]" << none << 0;
        QTest::newRow("leading blank") << "[Version]\r\n 2.0.0" << QStringList{"2", "0", "0"} << 3;
        QTest::newRow("text after the digits")
            << "[Version]\r\n1.0.29 und mehr" + QString(60000, u'x') << QStringList{"1", "0", "29"}
            << 1;
        QTest::newRow("leading zeros")
            << "[Version]\r\n01.002.0" << QStringList{"1", "2", "0"} << 2;
        QTest::newRow("more digits than a number has")
            << "[Version]\r\n1.0." + QString(21, u'9') << QStringList{} << 0;
        QTest::newRow("sign before major") << "[Version]\r\n+2.0.0" << QStringList{} << 0;
        QTest::newRow("beyond int") << "[Version]\r\n1.99999999999999999999.0"
                                    << QStringList{"1", "99999999999999999999", "0"} << 2;
        QTest::newRow("no marker") << "1.0.29\r\n" << QStringList{} << 0;
        QTest::newRow("letter for minor") << "[Version]\r\n1.x.29" << QStringList{} << 0;
        QTest::newRow("text before major") << "[Version]\r\nv2.0.0" << QStringList{} << 0;
    }
    void parse() {
        QFETCH(QString, text);
        QFETCH(QStringList, parts);
        QFETCH(int, difference);
        const std::optional<AnswerVersion> version = versionparser::parse(text);
        QCOMPARE(version.has_value(), !parts.isEmpty());
        if (!version) return;
        QCOMPARE((QStringList{version->major, version->minor, version->revision}), parts);
        QCOMPARE(versionparser::difference(*version), difference);
    }

    // The announced version is made of the numbers read, whatever text came with them.
    void announcement_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("announced");
        QTest::newRow("60 KB after the revision")
            << "[Version]\r\n1.0.29 " + QString(60000, u'x') << "1.0.29";
        QTest::newRow("leading zeros") << "[Version]\r\n1.00.030"
                                       << "1.0.30";
        QTest::newRow("one dot") << "[Version]\r\n2.0"
                                 << "2.0.0";
    }
    void announcement() {
        QFETCH(QString, text);
        QFETCH(QString, announced);
        QCOMPARE(versionparser::judge(text)->announcement,
                 "Neuere Version " + announced +
                     " verfügbar!\r\nDie vorliegende Version ist:\r\n1.0.28");
    }

    // A reply's box shows at most 40 lines; the version is still read from all of it.
    void replyScreenful_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("shown");  // lines of the datagram in the first box
        QTest::addColumn<int>("boxes");
        QTest::newRow("40 lines") << 40 << 40 << 1;
        QTest::newRow("41 lines") << 41 << 40 << 1;
        QTest::newRow("1300 lines, a version on line 1299") << 1300 << 40 << 2;
    }
    void replyScreenful() {
        QFETCH(int, lines);
        QFETCH(int, shown);
        QFETCH(int, boxes);
        QByteArrayList datagram;
        for (int i = 1; i <= lines; ++i) datagram << "Zeile " + QByteArray::number(i);
        if (lines > 1000) datagram[lines - 2] = "[Version]";
        if (lines > 1000) datagram[lines - 1] = "2.0.0";
        bool userCheck = false;
        const QStringList messages = versionparser::replyMessages(datagram.join("\r\n"), userCheck);
        QCOMPARE(messages.size(), boxes);
        const QByteArray expected = datagram.mid(0, shown).join("\r\n");
        QCOMPARE(messages.first(), QString::fromLatin1(expected) + (lines > shown ? "\r\n…" : ""));
    }

    void osVersion() {
        QCOMPARE(checkmessages::osVersion("ubuntu", "22.04", "5.15", QLocale(QLocale::German)),
                 QStringLiteral("ubuntu.22,04.5.15"));
    }

    void endpoint_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<bool>("reserved");
        QTest::newRow("default") << "www.beatloft.example"
                                 << "www.beatloft.example" << 80 << true;
        QTest::newRow("upper case") << "REPORT.BEATLOFT.EXAMPLE."
                                    << "REPORT.BEATLOFT.EXAMPLE." << 80 << true;
        QTest::newRow("port") << "127.0.0.1:8080"
                              << "127.0.0.1" << 8080 << false;
        QTest::newRow("IPv6 and port") << "[::1]:8080"
                                       << "::1" << 8080 << false;
        QTest::newRow("bad port") << "host:70000"
                                  << "host:70000" << 80 << false;
    }
    void endpoint() {
        QFETCH(QString, text);
        QFETCH(QString, host);
        QFETCH(int, port);
        QFETCH(bool, reserved);
        const HostSettings::Endpoint endpoint = HostSettings::endpointOf(text, 80);
        QCOMPARE(endpoint.host, host);
        QCOMPARE(int(endpoint.port), port);
        QCOMPARE(HostSettings::isReserved(endpoint.host), reserved);
    }

    void environment() {
        const HostSettings defaults = HostSettings::fromEnvironment();
        QCOMPARE((QStringList{defaults.VersionHost, defaults.ReportHost, defaults.HomePageUrl}),
                 (QStringList{"www.beatloft.example", "report.beatloft.example",
                              "https://www.beatloft.example/"}));
        QCOMPARE(int(defaults.reportEndpoint().port), 1345);
        QCOMPARE(int(defaults.replyPort), 1346);
        qputenv("BEATLOFT_VERSION_HOST", "127.0.0.1:8080");
        qputenv("BEATLOFT_REPORT_HOST", "127.0.0.1:9000");
        qputenv("BEATLOFT_REPLY_PORT", "9001");
        qputenv("BEATLOFT_HOMEPAGE", "https://127.0.0.1/");
        const HostSettings set = HostSettings::fromEnvironment();
        QCOMPARE(set.VersionHost, QStringLiteral("127.0.0.1:8080"));
        QCOMPARE(int(set.reportEndpoint().port), 9000);
        QCOMPARE(int(set.replyPort), 9001);
        QCOMPARE(set.HomePageUrl, QStringLiteral("https://127.0.0.1/"));
    }

    void init() {
        for (const char* name : {"BEATLOFT_VERSION_HOST", "BEATLOFT_REPORT_HOST",
                                 "BEATLOFT_REPLY_PORT", "BEATLOFT_HOMEPAGE"})
            qunsetenv(name);
    }
};

QTEST_GUILESS_MAIN(TstVersionCheck)
#include "tst_versioncheck.moc"
