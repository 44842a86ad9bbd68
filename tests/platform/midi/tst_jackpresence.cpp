#include "midi/jackpresence.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using midi::detail::JackPresence;

// A JACK server is looked for by its files before a client is opened, for user 1000 and the
// server "default".
class TstJackPresence : public QObject {
    Q_OBJECT

private slots:
    void serverFoundByItsFiles_data() {
        QTest::addColumn<QString>("file");  // made in the second folder; empty: none
        QTest::addColumn<bool>("found");
        QTest::newRow("nothing") << QString() << false;
        QTest::newRow("JACK 1: the user's folder") << "jack-1000" << true;
        QTest::newRow("JACK 1: another user's folder") << "jack-1001" << false;
        QTest::newRow("JACK 2: the user's socket") << "jack_default_1000_0" << true;
        QTest::newRow("JACK 2: another server's socket") << "jack_studio_1000_0" << false;
        QTest::newRow("JACK 2: a server for every user") << "jack_default_0" << true;
        QTest::newRow("a file of something else") << "jackfruit" << false;
    }
    void serverFoundByItsFiles() {
        QFETCH(QString, file);
        QFETCH(bool, found);
        QTemporaryDir shm, tmp;
        if (!file.isEmpty()) {
            QFile made(tmp.filePath(file));
            QVERIFY(made.open(QIODevice::WriteOnly));
        }
        QCOMPARE(
            JackPresence::serverMayRun({shm.path(), tmp.path()}, 1000, QStringLiteral("default")),
            found);
    }
};

QTEST_GUILESS_MAIN(TstJackPresence)
#include "tst_jackpresence.moc"
