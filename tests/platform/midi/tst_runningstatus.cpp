#include "midi/runningstatus.h"

#include <QTest>

using midi::detail::RunningStatus;

// Packed short messages unpacked into the bytes a device receives.
class TstRunningStatus : public QObject {
    Q_OBJECT

private slots:
    void unpacks_data() {
        QTest::addColumn<QList<uint>>("messages");
        QTest::addColumn<QByteArray>("lastBytes");
        QTest::newRow("note on ch 10") << QList<uint>{0x007E2499} << QByteArray("\x99\x24\x7E", 3);
        QTest::newRow("program change") << QList<uint>{0x000005C9} << QByteArray("\xC9\x05", 2);
        QTest::newRow("pitch bend") << QList<uint>{0x004000E0} << QByteArray("\xE0\x00\x40", 3);
        QTest::newRow("running status")
            << QList<uint>{0x00402490, 0x00002A} << QByteArray("\x90\x2A\x00", 3);
        QTest::newRow("clock keeps running status")
            << QList<uint>{0x00402490, 0xF8, 0x007F2B} << QByteArray("\x90\x2B\x7F", 3);
        QTest::newRow("song select cancels it")
            << QList<uint>{0x00402490, 0x01F3, 0x007F2B} << QByteArray();
        QTest::newRow("data byte alone") << QList<uint>{0x3C} << QByteArray();
        QTest::newRow("clock") << QList<uint>{0xF8} << QByteArray("\xF8", 1);
        QTest::newRow("sysex start is no short message") << QList<uint>{0xF0} << QByteArray();
    }
    void unpacks() {
        QFETCH(QList<uint>, messages);
        QFETCH(QByteArray, lastBytes);
        RunningStatus running;
        RunningStatus::Bytes bytes;
        for (uint message : messages) bytes = running.unpack(message);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(bytes.data.data()), bytes.length),
                 lastBytes);
    }
};

QTEST_MAIN(TstRunningStatus)
#include "tst_runningstatus.moc"
