#include "midi/streamidle.h"

#include <QTest>

using midi::detail::StreamIdle;
using Action = StreamIdle::Action;
using namespace std::chrono;

Q_DECLARE_METATYPE(StreamIdle::Action)

namespace {

StreamIdle::Clock::time_point at(int ms) {
    return StreamIdle::Clock::time_point{} + milliseconds(ms);
}

}  // namespace

// When the synthesizer's stream pauses and resumes, played as a script of steps: "r<ms>" a
// silent request rendered, "s<ms>" a sounding one, "e<ms>" an event sent; the action the
// last step asks for, and whether the stream is paused then.
class TstStreamIdle : public QObject {
    Q_OBJECT

private slots:
    void pausesWhenQuiet_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<Action>("action");
        QTest::addColumn<bool>("paused");  // after the last step
        QTest::newRow("silent from the start, not yet 3 s") << "r0 r2999" << Action::None << false;
        QTest::newRow("silent from the start for 3 s") << "r0 r3000" << Action::Pause << true;
        QTest::newRow("a ringing tail counts as sound")
            << "r0 s2500 r5000" << Action::None << false;
        QTest::newRow("3 s after the tail ended") << "r0 s2500 r5500" << Action::Pause << true;
        QTest::newRow("an event keeps it awake") << "r0 e2000 r4000" << Action::None << false;
        QTest::newRow("paused once, not again") << "r0 r3000 r6000" << Action::None << true;
        QTest::newRow("an event resumes a paused stream")
            << "r0 r3000 e4000" << Action::Resume << false;
        QTest::newRow("a running stream is not resumed") << "r0 e100" << Action::None << false;
        QTest::newRow("resumed, quiet again for 3 s")
            << "r0 r3000 e4000 r7000" << Action::Pause << true;
        QTest::newRow("resumed, quiet again for less")
            << "r0 r3000 e4000 r6999" << Action::None << false;
    }
    void pausesWhenQuiet() {
        QFETCH(QString, script);
        QFETCH(Action, action);
        QFETCH(bool, paused);
        StreamIdle idle;
        Action last = Action::None;
        for (const QString& step : script.split(QLatin1Char(' '))) {
            const auto now = at(step.mid(1).toInt());
            if (step.startsWith(QLatin1Char('e')))
                last = idle.sent(now);
            else
                last = idle.rendered(now, step.startsWith(QLatin1Char('s')));
        }
        QCOMPARE(last, action);
        QCOMPARE(idle.isPaused(), paused);
    }
};

QTEST_APPLESS_MAIN(TstStreamIdle)
#include "tst_streamidle.moc"
