#include "sonaportdemo.h"

#include "hosting/controlwidget.h"
#include "midi/midiservices.h"
#include "midi/virtualdevices.h"

#include <QListWidget>
#include <QTest>

using midi::VirtualDevices;

class TestSonaportDemo : public QObject {
    Q_OBJECT

private:
    static hosting::ControlWidget* control(QWidget& demo, const QString& name) {
        for (auto* widget : demo.findChildren<hosting::ControlWidget*>())
            if (widget->accessibleName() == name) return widget;
        return nullptr;
    }
    static QList<quint32> shortMessages(unsigned output) {
        QList<quint32> messages;
        for (const midi::RecordedMessage& m : VirtualDevices::received(output))
            messages << m.shortMessage;
        return messages;
    }

private slots:
    void initTestCase() { midi::MidiServices::instance().useVirtualOnly(true); }

    // The controls play together: the key on the chosen channel at the slider's velocity,
    // the knob as volume, and what comes in shows in the log.
    void controlsPlayTogether() {
        VirtualDevices::addOutput("First");
        const unsigned last = VirtualDevices::addOutput("Last");
        const unsigned input = VirtualDevices::addInput("Keys");
        SonaportDemo demo;
        demo.show();
        control(demo, "MidiChannel")->putProperty(1, 3);
        control(demo, "MidiSlider")->putProperty(1, 100);
        QWidget* keyboard = control(demo, "MidiKeyboard");
        QTest::mouseClick(keyboard, Qt::LeftButton, {}, {3, 25});
        QWidget* spinner = control(demo, "MidiSpinner");
        QTest::mousePress(spinner, Qt::LeftButton, {}, {17, 17});
        QTest::mouseMove(spinner, {100, 17});  // beyond the range: 127 is sent
        QTest::mouseRelease(spinner, Qt::LeftButton, {}, {100, 17});
        QCOMPARE(shortMessages(last), (QList<quint32>{0x00642493, 0x00002483, 0x007F07B3}));

        VirtualDevices::injectShort(input, 0x00403C91);
        auto* log = demo.findChild<QListWidget*>();
        QTRY_VERIFY(log->count() > 0);
        QCOMPARE(log->item(log->count() - 1)->text(),
                 QStringLiteral("Status 0x90  Channel 1  Data1 60  Data2 64"));
    }
};

QTEST_MAIN(TestSonaportDemo)
#include "tst_sonaportdemo.moc"
