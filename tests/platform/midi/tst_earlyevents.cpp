#include "midi/earlyevents.h"

#include <QTest>

using midi::detail::EarlyEvents;
using midi::detail::SynthEvent;
using namespace std::chrono;

namespace {

EarlyEvents::Clock::time_point at(int ms) {
    return EarlyEvents::Clock::time_point{} + milliseconds(ms);
}

int msOf(EarlyEvents::Clock::time_point time) {
    return int(duration_cast<milliseconds>(time.time_since_epoch()).count());
}

}  // namespace

// What a device sends while the synthesizer starts: every event, in the order sent, due at
// its own time or when the engine got ready, whichever is later.
class TstEarlyEvents : public QObject {
    Q_OBJECT

private slots:
    void heardOnceReady_data() {
        QTest::addColumn<QList<int>>("sentFor");  // the time each note is due, in ms
        QTest::addColumn<int>("ready");
        QTest::addColumn<QList<int>>("due");
        QTest::newRow("due while it starts: at ready")
            << QList<int>{10, 40} << 100 << QList<int>{100, 100};
        QTest::newRow("due after ready: on time")
            << QList<int>{150, 300} << 100 << QList<int>{150, 300};
        QTest::newRow("both") << QList<int>{50, 120} << 100 << QList<int>{100, 120};
        QTest::newRow("order kept, times out of order")
            << QList<int>{300, 20} << 100 << QList<int>{300, 100};
        QTest::newRow("nothing sent") << QList<int>{} << 100 << QList<int>{};
    }
    void heardOnceReady() {
        QFETCH(QList<int>, sentFor);
        QFETCH(int, ready);
        QFETCH(QList<int>, due);
        EarlyEvents early;
        for (int i = 0; i < sentFor.size(); ++i)
            early.keep(at(sentFor[i]), SynthEvent::shortMessage(0x7F0099 + (i << 8)));
        const auto released = early.release(at(ready));
        QCOMPARE(int(released.size()), due.size());
        for (int i = 0; i < due.size(); ++i) {
            QCOMPARE(msOf(released[size_t(i)].at), due[i]);
            QCOMPARE(released[size_t(i)].event.message, std::uint32_t(0x7F0099 + (i << 8)));
        }
        QVERIFY(early.release(at(ready)).empty());  // handed over once
    }

    // An engine that never gets ready holds the newest kMost events, not more.
    void oldestGoBeyondTheMost() {
        EarlyEvents early;
        for (int i = 0; i < int(EarlyEvents::kMost) + 2; ++i)
            early.keep(at(i), SynthEvent::shortMessage(0x7F2499));
        const auto released = early.release(at(0));
        QCOMPARE(released.size(), EarlyEvents::kMost);
        QCOMPARE(msOf(released.front().at), 2);
    }
};

QTEST_APPLESS_MAIN(TstEarlyEvents)
#include "tst_earlyevents.moc"
