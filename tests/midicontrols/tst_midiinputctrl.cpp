#include "midiinput/cmidiinputctrl.h"
#include "scripteddialogs.h"

#include "hosting/automationerror.h"
#include "midi/midiservices.h"
#include "midi/virtualdevices.h"

#include <QComboBox>
#include <QTest>
#include <QThread>
#include <memory>
#include <thread>

using midi::VirtualDevices;
using Event = QList<qint32>;  // Status, Channel, Data1, Data2

namespace {

// One thing a device delivers: a short message, a system-exclusive block or an error.
struct Delivery {
    char kind;  // 's', 'l', 'e'
    quint32 message = 0;
    QByteArray block{};
};

QByteArray sysEx(int size, bool complete = true) {
    QByteArray block(size, '\x11');
    block[0] = '\xF0';
    if (complete) block[size - 1] = '\xF7';
    return block;
}

void deliver(unsigned input, const QList<Delivery>& deliveries) {
    for (const Delivery& d : deliveries) {
        if (d.kind == 's') VirtualDevices::injectShort(input, d.message);
        if (d.kind == 'l') VirtualDevices::injectLong(input, d.block);
        if (d.kind == 'e') VirtualDevices::injectError(input, d.message);
    }
}

}  // namespace

Q_DECLARE_METATYPE(QList<Delivery>)

class TestMidiInputCtrl : public QObject {
    Q_OBJECT

private:
    // Records every ShortMessage and whether each arrived on the UI thread.
    struct Recorder {
        QList<Event> events;
        bool allOnUiThread = true;
    };
    std::unique_ptr<CMidiInputCtrl> showControl(Recorder* recorder) {
        auto control = std::make_unique<CMidiInputCtrl>();
        connect(control.get(), &CMidiInputCtrl::ShortMessage, control.get(),
                [recorder](qint32 status, qint32 channel, qint32 data1, qint32 data2) {
                    recorder->events << Event{status, channel, data1, data2};
                    recorder->allOnUiThread &= QThread::currentThread() == qApp->thread();
                });
        control->show();
        return control;
    }
    std::unique_ptr<ScriptedDialogs> dialogs_;

private slots:
    void initTestCase() { midi::MidiServices::instance().useVirtualOnly(true); }
    void init() {
        VirtualDevices::clear();
        dialogs_ = std::make_unique<ScriptedDialogs>();
    }
    void cleanup() {
        QCOMPARE(dialogs_->unusedAnswers(), 0);
        dialogs_.reset();
    }

    void reportsFromAnotherThread_data() {
        QTest::addColumn<QList<Delivery>>("deliveries");
        QTest::addColumn<QList<Event>>("expected");
        QTest::newRow("note on, channel 3")
            << QList<Delivery>{{'s', 0x00643C92}} << QList<Event>{{0x90, 2, 60, 100}};
        QTest::newRow("timing clock")
            << QList<Delivery>{{'s', 0xF8}} << QList<Event>{{0xF8, 0, 0, 0}};
        QTest::newRow("active sensing is silent")
            << QList<Delivery>{{'s', 0xFE}, {'s', 0x7F01B0}} << QList<Event>{{0xB0, 0, 1, 127}};
        QTest::newRow("100-byte sysex")
            << QList<Delivery>{{'l', 0, sysEx(100)}} << QList<Event>{{2, 100, 0, 0}};
        QTest::newRow("sysex without its end")
            << QList<Delivery>{{'l', 0, sysEx(10, false)}} << QList<Event>{{3, 0, 0, 0}};
        QTest::newRow("invalid short message")
            << QList<Delivery>{{'e', 0x00F4}} << QList<Event>{{4, 0, 0, 0}};
        QList<Delivery> burst;
        QList<Event> inOrder;
        for (int i = 0; i < 300; ++i) {
            burst << Delivery{'s', quint32(0x80 | i % 16 | (i % 128) << 8)};
            inOrder << Event{0x80, i % 16, i % 128, 0};
        }
        QTest::newRow("a burst, in order") << burst << inOrder;
    }
    void reportsFromAnotherThread() {
        QFETCH(QList<Delivery>, deliveries);
        QFETCH(QList<Event>, expected);
        const unsigned input = VirtualDevices::addInput("Keys");
        Recorder recorder;
        auto control = showControl(&recorder);
        // Opened, then the buffer the start-up reset handed back.
        QTRY_COMPARE(recorder.events, (QList<Event>{{5, 0, 0, 0}, {2, 0, 0, 0}}));
        recorder.events.clear();
        std::thread cable(deliver, input, deliveries);
        cable.join();
        QTRY_COMPARE(recorder.events.size(), expected.size());
        QCOMPARE(recorder.events, expected);
        QVERIFY(recorder.allOnUiThread);
        // The receive buffer is lent again, whole, after every report.
        VirtualDevices::injectLong(input, sysEx(1024));
        QTRY_COMPARE(recorder.events.size(), expected.size() + 1);
        QCOMPARE(recorder.events.last(), (Event{2, 1024, 0, 0}));
    }

    void changingDeviceClosesTheOldOne() {
        const unsigned first = VirtualDevices::addInput("First");
        const unsigned second = VirtualDevices::addInput("Second");
        Recorder recorder;
        auto control = showControl(&recorder);
        QCOMPARE(control->findChild<QComboBox*>()->itemText(1), QStringLiteral("1 - Second"));
        QTRY_COMPARE(recorder.events.size(), 2);
        recorder.events.clear();
        control->putProperty(CMidiInputCtrl::DispDeviceID, 8);  // clamped to the last
        QCOMPARE(control->deviceId(), 1);
        QTRY_COMPARE(recorder.events,
                     (QList<Event>{{2, 0, 0, 0}, {6, 0, 0, 0}, {5, 0, 0, 0}, {2, 0, 0, 0}}));
        recorder.events.clear();
        VirtualDevices::injectShort(first, 0x90);
        VirtualDevices::injectShort(second, 0x91);
        QTRY_COMPARE(recorder.events, (QList<Event>{{0x90, 1, 0, 0}}));
    }

    void negativeDeviceIdIsRefused() {
        VirtualDevices::addInput("Only");
        Recorder recorder;
        auto control = showControl(&recorder);
        control->setModified(false);
        try {
            control->putProperty(CMidiInputCtrl::DispDeviceID, -1);
            QFAIL("no automation error");
        } catch (const hosting::AutomationError& error) {
            QCOMPARE(error.code, 1);
            QCOMPARE(error.description, QStringLiteral("Boing!"));
        }
        QCOMPARE(control->deviceId(), 0);
        QVERIFY(control->hasOpenDevice());
        QVERIFY(!control->isModified());
    }

    void deviceInUseCannotBeOpened() {
        VirtualDevices::addInput("Shared");
        Recorder recorder;
        auto first = showControl(&recorder);
        dialogs_->answerMessage(sys::MessageAnswer::Ok);
        auto second = showControl(&recorder);
        QCOMPARE(dialogs_->messageTexts(), QStringList{"Unable to open"});
        QVERIFY(!second->hasOpenDevice());
        first.reset();  // closing frees the device for the other control
        second->setDeviceId(0);
        QVERIFY(second->hasOpenDevice());
    }
};

QTEST_MAIN(TestMidiInputCtrl)
#include "tst_midiinputctrl.moc"
