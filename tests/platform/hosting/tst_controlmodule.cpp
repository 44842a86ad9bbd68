#include "hosting/classregistry.h"
#include "hosting/controlmodule.h"
#include "hosting/controlwidget.h"
#include "hosting/propertybag.h"
#include "settingssandbox.h"

#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

using namespace hosting;

namespace {

constexpr QUuid kLibrary{0x6f0c1a10, 0x1111, 0x4a4a, 0x80, 0x00, 0x00,
                         0x00,       0x00,   0x00,   0x00, 0x01};
constexpr QUuid kControl{0x6f0c1a10, 0x2222, 0x4a4a, 0x80, 0x00, 0x00,
                         0x00,       0x00,   0x00,   0x00, 0x02};
constexpr QUuid kPage{0x6f0c1a10, 0x3333, 0x4a4a, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03};
constexpr QUuid kDispatch{0x6f0c1a10, 0x4444, 0x4a4a, 0x80, 0x00, 0x00,
                          0x00,       0x00,   0x00,   0x00, 0x04};
const QString kControlKey = "CLSID\\{6F0C1A10-2222-4A4A-8000-000000000002}";
const QString kPageKey = "CLSID\\{6F0C1A10-3333-4A4A-8000-000000000003}";
const QString kTypeLibKey = "TypeLib\\{6F0C1A10-1111-4A4A-8000-000000000001}\\1.0";

class ProbeControl : public ControlWidget {
public:
    using ControlWidget::ControlWidget;
    QVariant getProperty(DispId id, const QVariantList&) override { raiseMemberNotFound(id); }
    void putProperty(DispId id, const QVariant&, const QVariantList&) override {
        raiseMemberNotFound(id);
    }
    QVariant invoke(DispId id, const QVariantList&) override { raiseMemberNotFound(id); }
    void saveProperties(PropertyBag&) const override {}
    void loadProperties(const PropertyBag&) override {}
};

TypeLibrary probeLibrary() {
    return {kLibrary,    "Probe",
            1,           0,
            "Probe.hlp", {{"_DProbe", kDispatch, "Dispatch interface for Probe Control"}}};
}

QList<ClassEntry> probeClasses(const QUuid& control = kControl,
                               const QString& progId = "Probe.ProbeCtrl.1") {
    ClassEntry ctrl;
    ctrl.clsid = control;
    ctrl.progId = progId;
    ctrl.className = "CProbeCtrl";
    ctrl.typeName = "Probe Control";
    ctrl.miscStatus = 0x20191;
    ctrl.toolboxBitmap = 3;
    ctrl.create = [](QWidget* parent) { return new ProbeControl(parent); };
    ClassEntry page;
    page.clsid = kPage;
    page.progId = "Probe.ProbePropPage.1";
    page.className = "CProbePropPage";
    page.typeName = "Probe Property Page";
    page.isControl = false;
    page.create = [](QWidget* parent) { return new QWidget(parent); };
    return {ctrl, page};
}

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& contents) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

// A registry entry of some other library, written as the registry writes it.
const QByteArray kForeign =
    "[CLSID\\{00000000-0000-0000-0000-0000000000AA}]\nProgID=Other.Thing.1\n\n"
    "[ProgID\\Other.Thing.1]\nCLSID={00000000-0000-0000-0000-0000000000AA}\n";

}  // namespace

class TstControlModule : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(dir_.isValid());
        registry_ = dir_.filePath("registry/classes.ini");
        qputenv("BEATLOFT_CLASS_REGISTRY", registry_.toLocal8Bit());
        QFile::remove(registry_);
    }
    void cleanup() { qunsetenv("BEATLOFT_CLASS_REGISTRY"); }

    void unknownClassIsNotAvailable() {
        ControlModule module(probeLibrary(), probeClasses(), "probe");
        ClassFactory* factory = reinterpret_cast<ClassFactory*>(&module);
        QCOMPARE(module.getClassObject(QUuid::createUuid(), &factory), CLASS_E_CLASSNOTAVAILABLE);
        QCOMPARE(factory, nullptr);
        QCOMPARE(module.getClassObject(kControl, nullptr), E_POINTER);
    }

    void factoryCreatesTheClassOfItsEntry() {
        ControlModule module(probeLibrary(), probeClasses(), "probe");
        ClassFactory* factory = nullptr;
        QCOMPARE(module.getClassObject(kControl, &factory), S_OK);
        std::unique_ptr<QWidget> control(factory->createInstance());
        QVERIFY(dynamic_cast<ProbeControl*>(control.get()));
        QCOMPARE(module.getClassObject(kPage, &factory), S_OK);
        QCOMPARE(factory->entry().typeName, QString("Probe Property Page"));
    }

    void liveObjectsAndLocksKeepTheModule() {
        ControlModule module(probeLibrary(), probeClasses(), "probe");
        ClassFactory* factory = nullptr;
        QCOMPARE(module.getClassObject(kControl, &factory), S_OK);
        QCOMPARE(module.canUnloadNow(), S_OK);
        QWidget* first = factory->createInstance();
        auto* parent = new QWidget;
        factory->createInstance(parent);
        QCOMPARE(module.canUnloadNow(), S_FALSE);
        delete first;
        QCOMPARE(module.canUnloadNow(), S_FALSE);
        delete parent;
        QCOMPARE(module.canUnloadNow(), S_OK);

        QCOMPARE(factory->lockServer(true), S_OK);
        QCOMPARE(module.canUnloadNow(), S_FALSE);
        factory->lockServer(false);
        QCOMPARE(module.canUnloadNow(), S_OK);
        factory->lockServer(false);  // unmatched: must not leave a debt behind
        factory->lockServer(true);
        QCOMPARE(module.canUnloadNow(), S_FALSE);
    }

    void controlsAreCreatedByClsidAcrossModules() {
        HRESULT result = S_FALSE;
        {
            ControlModule module(probeLibrary(), probeClasses(), "probe");
            QWidget parent;
            QPointer<QWidget> control = ControlModule::createControl(kControl, &parent, &result);
            QCOMPARE(result, S_OK);
            QVERIFY(dynamic_cast<ProbeControl*>(control.data()));
            QCOMPARE(control->parentWidget(), &parent);
            QCOMPARE(module.canUnloadNow(), S_FALSE);
        }
        QCOMPARE(ControlModule::createControl(kControl, nullptr, &result), nullptr);
        QCOMPARE(result, CLASS_E_CLASSNOTAVAILABLE);
    }

    void registeringWritesEveryEntry() {
        ControlModule module(probeLibrary(), probeClasses(), "probe");
        QCOMPARE(module.registerServer(), S_OK);
        ClassRegistry registry(registry_);
        QVERIFY(registry.open());
        QCOMPARE(registry.value(kTypeLibKey, "Name"), QString("Probe"));
        QCOMPARE(registry.value(kTypeLibKey, "HelpFile"), QString("Probe.hlp"));
        QCOMPARE(registry.value(kTypeLibKey + "\\_DProbe", "HelpString"),
                 QString("Dispatch interface for Probe Control"));
        QCOMPARE(registry.value(kControlKey, "ProgID"), QString("Probe.ProbeCtrl.1"));
        QCOMPARE(registry.value(kControlKey, "Class"), QString("CProbeCtrl"));
        QCOMPARE(registry.value(kControlKey, "TypeName"), QString("Probe Control"));
        QCOMPARE(registry.value(kControlKey, "ThreadingModel"), QString("Apartment"));
        QCOMPARE(registry.value(kControlKey, "MiscStatus"), QString("131473"));
        QCOMPARE(registry.value(kControlKey, "ToolboxBitmap"), QString("probe,3"));
        QCOMPARE(registry.value(kControlKey, "InprocServer"), QString("probe"));
        QCOMPARE(registry.value(kControlKey, "TypeLib"),
                 QString("{6F0C1A10-1111-4A4A-8000-000000000001}"));
        QCOMPARE(registry.value("ProgID\\Probe.ProbeCtrl.1", "CLSID"),
                 QString("{6F0C1A10-2222-4A4A-8000-000000000002}"));
        QCOMPARE(registry.value(kPageKey, "TypeName"), QString("Probe Property Page"));
        QCOMPARE(registry.value(kPageKey, "MiscStatus"), QString());
    }

    void registeringTwiceGivesTheSameFile() {
        writeFile(registry_, kForeign);
        ControlModule module(probeLibrary(), probeClasses(), "probe");
        QCOMPARE(module.registerServer(), S_OK);
        const QByteArray once = contentsOf(registry_);
        QVERIFY(once.contains("Probe.ProbeCtrl.1"));
        QCOMPARE(module.registerServer(), S_OK);
        QCOMPARE(contentsOf(registry_), once);
    }

    void unregisteringRemovesEveryEntry() {
        writeFile(registry_, kForeign);
        ControlModule module(probeLibrary(), probeClasses(), "probe");
        QCOMPARE(module.registerServer(), S_OK);
        QCOMPARE(module.unregisterServer(), S_OK);
        QCOMPARE(contentsOf(registry_), kForeign);
    }

    void unregisteringNothingWritesNothing() {
        ControlModule module(probeLibrary(), probeClasses(), "probe");
        QCOMPARE(module.unregisterServer(), S_OK);
        QVERIFY(!QFile::exists(registry_));
    }

    void progIdTakenOverByAnotherClassStays() {
        ControlModule module(probeLibrary(), probeClasses(), "probe");
        QCOMPARE(module.registerServer(), S_OK);
        {
            ClassRegistry registry(registry_);
            QVERIFY(registry.open());
            registry.setValue("ProgID\\Probe.ProbeCtrl.1", "CLSID", "{SOMEONE-ELSE}");
            QVERIFY(registry.save());
        }
        QCOMPARE(module.unregisterServer(), S_OK);
        ClassRegistry registry(registry_);
        QVERIFY(registry.open());
        QCOMPARE(registry.sections(), QStringList{"ProgID\\Probe.ProbeCtrl.1"});
    }

    void unwritableRegistryFailsOnTheTypeLibrary() {
        writeFile(dir_.filePath("plainfile"), "x");
        qputenv("BEATLOFT_CLASS_REGISTRY", dir_.filePath("plainfile/classes.ini").toLocal8Bit());
        ControlModule module(probeLibrary(), probeClasses(), "probe");
        QCOMPARE(module.registerServer(), SELFREG_E_TYPELIB);
        QCOMPARE(module.unregisterServer(), SELFREG_E_TYPELIB);
    }

    void unregistrableClassFailsOnTheClasses_data() {
        QTest::addColumn<QUuid>("clsid");
        QTest::addColumn<QString>("progId");
        QTest::newRow("no clsid") << QUuid() << "Probe.ProbeCtrl.1";
        QTest::newRow("progid with blank") << kControl << "Probe ProbeCtrl";
        QTest::newRow("progid starting with digit") << kControl << "1Probe.Ctrl";
        QTest::newRow("progid too long") << kControl << QString(40, 'P');
    }
    void unregistrableClassFailsOnTheClasses() {
        QFETCH(QUuid, clsid);
        QFETCH(QString, progId);
        ControlModule module(probeLibrary(), probeClasses(clsid, progId), "probe");
        QCOMPARE(module.registerServer(), SELFREG_E_CLASS);
        QVERIFY(!contentsOf(registry_).contains("CLSID\\"));
    }

    void registryLivesInTheUserConfigurationByDefault() {
        SettingsSandbox sandbox;
        qunsetenv("BEATLOFT_CLASS_REGISTRY");
        QCOMPARE(ControlModule::registryPath(), sandbox.configPath() + "/Beatloft/classes.ini");
    }

    void foreignLinesSurviveRegistration() {
        writeFile(registry_, "garbage without section\n[Keep]\nA=1\nbroken line\n=novalue\n");
        ControlModule module(probeLibrary(), probeClasses(), "probe");
        QCOMPARE(module.registerServer(), S_OK);
        QCOMPARE(module.unregisterServer(), S_OK);
        QCOMPARE(contentsOf(registry_), QByteArray("[Keep]\nA=1\n"));
    }

private:
    QTemporaryDir dir_;
    QString registry_;
};

QTEST_MAIN(TstControlModule)
#include "tst_controlmodule.moc"
