#include "common/sonaportids.h"
#include "midioutput/cmidioutputctrl.h"
#include "midioutput/cmidioutputproppage.h"
#include "module/sonaportmodule.h"
#include "scripteddialogs.h"

#include "hosting/classfactory.h"
#include "hosting/classregistry.h"
#include "hosting/controlmodule.h"
#include "hosting/hresult.h"
#include "midi/midiservices.h"
#include "midi/virtualdevices.h"

#include <QFile>
#include <QLibrary>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using hosting::HRESULT;
using midi::VirtualDevices;
using sonaport::ids::kMidiOutput;

namespace {

using EntryPoint = HRESULT (*)();
using GetClassObject = HRESULT (*)(const QUuid*, hosting::ClassFactory**);

QString guid(const QUuid& id) {
    return id.toString(QUuid::WithBraces).toUpper();
}

QString classKey(const QUuid& id) {
    return QStringLiteral("CLSID\\") + guid(id);
}

QString typeLibKey(const QString& below = {}) {
    const QString key = QStringLiteral("TypeLib\\%1\\1.0").arg(guid(sonaport::ids::kLibrary));
    return below.isEmpty() ? key : key + '\\' + below;
}

}  // namespace

class TestSonaportModule : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QLibrary library_{QStringLiteral(SONAPORT_LIBRARY_FILE)};

    QString registryFile() const { return dir_.filePath(QStringLiteral("classes.ini")); }
    template <typename F>
    F entryPoint(const char* name) {
        return reinterpret_cast<F>(library_.resolve(name));
    }
    HRESULT call(const char* name) { return entryPoint<EntryPoint>(name)(); }
    QString registryValue(const QString& section, const QString& key) {
        hosting::ClassRegistry registry(registryFile());
        return registry.open() ? registry.value(section, key) : QStringLiteral("<unreadable>");
    }
    QByteArray registryBytes() {
        QFile file(registryFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        qputenv("BEATLOFT_CLASS_REGISTRY", registryFile().toUtf8());
        midi::MidiServices::instance().useVirtualOnly(true);
        QVERIFY2(library_.load(), qPrintable(library_.errorString()));
    }
    void init() {
        QFile::remove(registryFile());
        VirtualDevices::clear();
    }

    void registration_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        const QString control = classKey(kMidiOutput.control);
        const QString page = classKey(kMidiOutput.propPage);
        QTest::newRow("control ProgID") << control << "ProgID"
                                        << "SONAPORT.MidiOutputCtrl.1";
        QTest::newRow("control type name") << control << "TypeName"
                                           << "Orlenz - MidiOutput Control";
        QTest::newRow("control class") << control << "Class"
                                       << "CMidiOutputCtrl";
        QTest::newRow("misc status") << control << "MiscStatus" << QString::number(0x20191);
        QTest::newRow("control threading") << control << "ThreadingModel"
                                           << "Apartment";
        QTest::newRow("toolbox bitmap") << control << "ToolboxBitmap"
                                        << "SONAPORT,2";
        QTest::newRow("ProgID to class") << "ProgID\\SONAPORT.MidiOutputCtrl.1"
                                         << "CLSID" << guid(kMidiOutput.control);
        QTest::newRow("page ProgID") << page << "ProgID"
                                     << "SONAPORT.MidiOutputPropPage.1";
        QTest::newRow("page name") << page << "TypeName"
                                   << "MidiOutput Property Page";
        QTest::newRow("page threading") << page << "ThreadingModel"
                                        << "Apartment";
        QTest::newRow("library name") << typeLibKey() << "Name"
                                      << "SONAPORT";
        QTest::newRow("help file") << typeLibKey() << "HelpFile"
                                   << "SONAPORT.hlp";
        QTest::newRow("dispatch interface") << typeLibKey("_DMidiOutput") << "HelpString"
                                            << "Dispatch interface for MidiOutput Control";
        QTest::newRow("event interface") << typeLibKey("_DMidiOutputEvents") << "HelpString"
                                         << "Event interface for MidiOutput Control";
        QTest::newRow("coclass") << typeLibKey("MidiOutput") << "HelpString"
                                 << "MidiOutput Control";
        QTest::newRow("slider type name")
            << classKey(sonaport::ids::kMidiSlider.control) << "TypeName"
            << "Orlenz - MidiSlider Control (Vertical)";
        QTest::newRow("keyboard bitmap")
            << classKey(sonaport::ids::kMidiKeyboard.control) << "ToolboxBitmap"
            << "SONAPORT,6";
        QTest::newRow("events GUID")
            << typeLibKey("_DMidiOutputEvents") << "Guid" << guid(kMidiOutput.events);
    }
    void registration() {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QCOMPARE(call("DllRegisterServer"), hosting::S_OK);
        QCOMPARE(registryValue(section, key), value);
        QCOMPARE(call("DllUnregisterServer"), hosting::S_OK);
        QCOMPARE(registryValue(section, key), QString());
    }

    void registeringTwiceIsStable() {
        QCOMPARE(call("DllRegisterServer"), hosting::S_OK);
        const QByteArray once = registryBytes();
        QCOMPARE(call("DllRegisterServer"), hosting::S_OK);
        QCOMPARE(registryBytes(), once);
    }

    void unregisteringKeepsOtherLibraries() {
        {
            hosting::ClassRegistry registry(registryFile());
            QVERIFY(registry.open());
            registry.setValue("CLSID\\{OTHER}", "ProgID", "Other.Ctrl.1");
            QVERIFY(registry.save());
        }
        QCOMPARE(call("DllRegisterServer"), hosting::S_OK);
        QCOMPARE(call("DllUnregisterServer"), hosting::S_OK);
        hosting::ClassRegistry registry(registryFile());
        QVERIFY(registry.open());
        QCOMPARE(registry.sections(), QStringList{"CLSID\\{OTHER}"});
    }

    void unknownClassIsNotAvailable_data() {
        QTest::addColumn<QUuid>("clsid");
        QTest::newRow("random") << QUuid::createUuid();
        QTest::newRow("interface, not a class") << kMidiOutput.dispatch;
        QTest::newRow("library") << sonaport::ids::kLibrary;
    }
    void unknownClassIsNotAvailable() {
        QFETCH(QUuid, clsid);
        hosting::ClassFactory* factory = nullptr;
        QCOMPARE(entryPoint<GetClassObject>("DllGetClassObject")(&clsid, &factory),
                 hosting::CLASS_E_CLASSNOTAVAILABLE);
        QVERIFY(!factory);
    }

    void classObjectsCreateAndCount() {
        hosting::ClassFactory* factory = nullptr;
        const auto getClassObject = entryPoint<GetClassObject>("DllGetClassObject");
        QCOMPARE(getClassObject(&kMidiOutput.control, &factory), hosting::S_OK);
        auto control = std::unique_ptr<QWidget>(factory->createInstance());
        QVERIFY(qobject_cast<CMidiOutputCtrl*>(control.get()));
        QCOMPARE(call("DllCanUnloadNow"), hosting::S_FALSE);
        control.reset();
        QCOMPARE(call("DllCanUnloadNow"), hosting::S_OK);

        QCOMPARE(getClassObject(&kMidiOutput.propPage, &factory), hosting::S_OK);
        const std::unique_ptr<QWidget> page(factory->createInstance());
        QVERIFY(qobject_cast<CMidiOutputPropPage*>(page.get()));
        QCOMPARE(page->windowTitle(), QStringLiteral("General"));
    }

    // The way Beatloft drives its MidiOutput1: created by CLSID, DeviceID put as a 16-bit
    // integer, notes sent by DISPID.
    void endToEndByClsid() {
        VirtualDevices::addOutput("First");
        const unsigned last = VirtualDevices::addOutput("Last");
        ScriptedDialogs dialogs;
        QWidget window;
        HRESULT result = hosting::E_FAIL;
        QWidget* widget =
            hosting::ControlModule::createControl(kMidiOutput.control, &window, &result);
        QCOMPARE(result, hosting::S_OK);
        auto* dispatch = dynamic_cast<hosting::Dispatch*>(widget);
        QVERIFY(dispatch);
        window.show();
        dispatch->putProperty(1, QVariant::fromValue<qint16>(8));
        QCOMPARE(dispatch->invoke(2, {144, 9, 36, 126}), QVariant(0));
        QCOMPARE(dispatch->invoke(2, {144, 9, 36, 0}), QVariant(0));
        const auto received = VirtualDevices::received(last);
        QCOMPARE(received.size(), 2);
        QCOMPARE(received.at(0).shortMessage, 0x007E2499u);
        QCOMPARE(received.at(1).shortMessage, 0x00002499u);
    }
};

QTEST_MAIN(TestSonaportModule)
#include "tst_sonaportmodule.moc"
