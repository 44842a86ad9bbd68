#include "common/sonaportcontrol.h"
#include "common/sonaportids.h"
#include "module/sonaportmodule.h"
#include "presenteddialogs.h"

#include "hosting/ambientproperties.h"
#include "hosting/controlmodule.h"
#include "hosting/propertybag.h"
#include "midi/midiservices.h"

#include <QTest>
#include <memory>

// What every control of the library shares, one row per control created by its CLSID.
class TestSonaportControls : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { midi::MidiServices::instance().useVirtualOnly(true); }

    void everyControl_data() {
        QTest::addColumn<QUuid>("clsid");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("ownProperties");
        namespace ids = sonaport::ids;
        QTest::newRow("input") << ids::kMidiInput.control << "MidiInput" << QStringList{"DeviceID"};
        QTest::newRow("output") << ids::kMidiOutput.control << "MidiOutput"
                                << QStringList{"DeviceID"};
        QTest::newRow("channel") << ids::kMidiChannel.control << "MidiChannel"
                                 << QStringList{"Channel"};
        QTest::newRow("slider") << ids::kMidiSlider.control << "MidiSlider"
                                << QStringList{"Min", "Max", "Value"};
        QTest::newRow("spinner") << ids::kMidiSpinner.control << "MidiSpinner"
                                 << QStringList{"Min", "Max", "Value"};
        QTest::newRow("keyboard") << ids::kMidiKeyboard.control << "MidiKeyboard" << QStringList{};
    }
    void everyControl() {
        QFETCH(QUuid, clsid);
        QFETCH(QString, name);
        QFETCH(QStringList, ownProperties);
        hosting::AmbientProperties container;
        container.setBackColor(0x00336699u);
        std::unique_ptr<QWidget> widget(hosting::ControlModule::createControl(clsid));
        auto* control = qobject_cast<sonaport::SonaportControl*>(widget.get());
        QVERIFY(control);
        QCOMPARE(control->metaObject()->className(), "C" + name + "Ctrl");
        QCOMPARE(control->accessibleName(), name);

        control->setAmbient(&container);
        control->resize(300, 300);
        control->show();
        QCOMPARE(control->grab().toImage().pixelColor(299, 299), QColor(0x99, 0x66, 0x33));

        PresentedDialogs presented;
        control->invoke(hosting::DispAboutBox);
        control->showProperties();
        QCOMPARE(presented.shown.size(), 2);
        QCOMPARE(presented.shown.at(0).title, "About " + name + " Control");
        QVERIFY(presented.shown.at(0).labels.contains(name + " Control, Version 1.0"));
        QCOMPARE(presented.shown.at(1).tabs, QStringList{"General"});
        QCOMPARE(presented.shown.at(1).labels,
                 QStringList{"TODO: Place controls to manipulate properties of " + name +
                             " Control on this dialog."});

        hosting::PropertyBag bag;
        control->saveProperties(bag);
        QCOMPARE(bag.names(),
                 QStringList({"_Version", "_ExtentX", "_ExtentY", "_StockProps"}) + ownProperties);
        QCOMPARE(bag.read<quint32>("_Version", 0), 0x00010000u);
    }

    // Min, Max and Value keep what was saved, as unsigned longs.
    void rangePersistence_data() {
        QTest::addColumn<QUuid>("clsid");
        QTest::newRow("slider") << sonaport::ids::kMidiSlider.control;
        QTest::newRow("spinner") << sonaport::ids::kMidiSpinner.control;
    }
    void rangePersistence() {
        QFETCH(QUuid, clsid);
        std::unique_ptr<QWidget> saved(hosting::ControlModule::createControl(clsid));
        std::unique_ptr<QWidget> loaded(hosting::ControlModule::createControl(clsid));
        auto* from = dynamic_cast<hosting::ControlWidget*>(saved.get());
        auto* to = dynamic_cast<hosting::ControlWidget*>(loaded.get());
        QCOMPARE(from->getProperty(1), QVariant(64));  // the defaults
        QCOMPARE(from->getProperty(3), QVariant(127));
        from->putProperty(2, -20);
        from->putProperty(1, -5);
        hosting::PropertyBag bag;
        from->saveProperties(bag);
        QCOMPARE(bag.read("Min"), QVariant(quint32(-20)));
        to->loadProperties(bag);
        QCOMPARE(to->getProperty(2), QVariant(-20));
        QCOMPARE(to->getProperty(1), QVariant(-5));
        to->initNew();
        QCOMPARE(to->getProperty(2), QVariant(0));
    }
};

QTEST_MAIN(TestSonaportControls)
#include "tst_sonaportcontrols.moc"
