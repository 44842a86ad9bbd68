#include "midi/controllog.h"

#include <QTest>

using midi::detail::ControlLog;
using midi::detail::SynthEvent;

// What an engine made later is told of the channels: the last value of what replaces, in
// order what depends on order, nothing of notes and system messages.
class TstControlLog : public QObject {
    Q_OBJECT

private slots:
    void keepsWhatSetsTheChannels_data() {
        QTest::addColumn<QList<uint>>("sent");
        QTest::addColumn<QList<uint>>("kept");
        QTest::newRow("notes and pressure on notes")
            << QList<uint>{0x403C99, 0x3C89, 0x203CA9} << QList<uint>{};
        QTest::newRow("volume twice: the last")
            << QList<uint>{0x6407B9, 0x2807B9} << QList<uint>{0x2807B9};
        QTest::newRow("two channels, two controllers") << QList<uint>{0x6407B9, 0x6407B0, 0x405BB9}
                                                       << QList<uint>{0x6407B9, 0x6407B0, 0x405BB9};
        QTest::newRow("program after bank select, changed")
            << QList<uint>{0x0100B0, 0x05C0, 0x07C0} << QList<uint>{0x0100B0, 0x07C0};
        QTest::newRow("pitch bend and channel pressure: the last")
            << QList<uint>{0x4000E0, 0x5000E0, 0x10D0, 0x20D0} << QList<uint>{0x5000E0, 0x20D0};
        QTest::newRow("parameter number and data entry, all in order")
            << QList<uint>{0x0065B0, 0x0064B0, 0x0206B0, 0x0064B0, 0x0106B0}
            << QList<uint>{0x0065B0, 0x0064B0, 0x0206B0, 0x0064B0, 0x0106B0};
        QTest::newRow("clock and reset") << QList<uint>{0xF8, 0xFF} << QList<uint>{};
    }
    void keepsWhatSetsTheChannels() {
        QFETCH(QList<uint>, sent);
        QFETCH(QList<uint>, kept);
        ControlLog log;
        for (uint message : sent) log.add(SynthEvent::shortMessage(message));
        QList<uint> messages;
        for (const SynthEvent& event : log.events()) messages << event.message;
        QCOMPARE(messages, kept);
    }
};

QTEST_GUILESS_MAIN(TstControlLog)
#include "tst_controllog.moc"
