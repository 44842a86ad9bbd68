#include "hosting/controlmodule.h"
#include "hosting/controlwidget.h"
#include "tapcell.h"
#include "tapcellmodule.h"

#include <QFile>
#include <QLibrary>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

using namespace hosting;

// The library's four exports, resolved from the built file as a container finds them.
class TstTapcellModule : public QObject {
    Q_OBJECT

    using Plain = HRESULT (*)();
    using GetClassObject = HRESULT (*)(const QUuid*, ClassFactory**);

private slots:
    void initTestCase() {
        QVERIFY2(library_.load(), qPrintable(library_.errorString()));
        registerServer_ = reinterpret_cast<Plain>(library_.resolve("DllRegisterServer"));
        unregisterServer_ = reinterpret_cast<Plain>(library_.resolve("DllUnregisterServer"));
        canUnloadNow_ = reinterpret_cast<Plain>(library_.resolve("DllCanUnloadNow"));
        getClassObject_ = reinterpret_cast<GetClassObject>(library_.resolve("DllGetClassObject"));
        QVERIFY(registerServer_ && unregisterServer_ && canUnloadNow_ && getClassObject_);
    }

    void init() {
        registry_ = dir_.filePath("classes.ini");
        QFile::remove(registry_);
        qputenv("BEATLOFT_CLASS_REGISTRY", registry_.toLocal8Bit());
    }

    void classObjectCreatesAWorkingCell() {
        ClassFactory* factory = nullptr;
        QCOMPARE(getClassObject_(&tapcell::kClsid, &factory), S_OK);
        QCOMPARE(factory->entry().progId, QString(tapcell::kProgId));
        QWidget window;
        window.resize(60, 60);
        QPointer<ControlWidget> cell =
            qobject_cast<ControlWidget*>(factory->createInstance(&window));
        QVERIFY(cell);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        cell->putProperty(Tapcell::DispValue, 3);
        QCOMPARE(cell->getProperty(Tapcell::DispValue).toInt(), 3);
        QVariantList kinds;
        connect(cell, &ControlWidget::eventRaised, [&kinds](int id, const QVariantList& args) {
            if (id == Tapcell::EventClickEvent) kinds << args;
        });
        QTest::mouseClick(window.windowHandle(), Qt::RightButton, {}, cell->geometry().center());
        QCOMPARE(kinds, QVariantList{Tapcell::RightClickM});
        QCOMPARE(cell->getProperty(Tapcell::DispValue).toInt(), 3);
    }

    void unknownClassIsNotAvailable() {
        ClassFactory* factory = nullptr;
        const QUuid unknown = QUuid::createUuid();
        QCOMPARE(getClassObject_(&unknown, &factory), CLASS_E_CLASSNOTAVAILABLE);
        QCOMPARE(factory, nullptr);
        QCOMPARE(getClassObject_(nullptr, &factory), E_POINTER);
        QCOMPARE(getClassObject_(&tapcell::kClsid, nullptr), E_POINTER);
    }

    void containerCreatesTheCellByClsid() {
        HRESULT result = E_FAIL;
        std::unique_ptr<QWidget> cell(
            ControlModule::createControl(tapcell::kClsid, nullptr, &result));
        QCOMPARE(result, S_OK);
        QVERIFY(qobject_cast<ControlWidget*>(cell.get()));
    }

    void liveCellKeepsTheLibrary() {
        QCOMPARE(canUnloadNow_(), S_OK);
        ClassFactory* factory = nullptr;
        QCOMPARE(getClassObject_(&tapcell::kClsid, &factory), S_OK);
        QWidget* cell = factory->createInstance();
        QCOMPARE(canUnloadNow_(), S_FALSE);
        delete cell;
        QCOMPARE(canUnloadNow_(), S_OK);
        factory->lockServer(true);
        QCOMPARE(canUnloadNow_(), S_FALSE);
        factory->lockServer(false);
        QCOMPARE(canUnloadNow_(), S_OK);
    }

    void registeringTwiceGivesTheSameFile() {
        QCOMPARE(registerServer_(), S_OK);
        const QByteArray once = contents();
        QVERIFY(once.contains("[CLSID\\{8D441435-56CC-4A08-BEA2-F8AD227CBA3C}]\n"));
        QVERIFY(once.contains("ProgID=Tapcell.Tapcell.1\n"));
        QVERIFY(
            once.contains("[ProgID\\Tapcell.Tapcell.1]\n"
                          "CLSID={8D441435-56CC-4A08-BEA2-F8AD227CBA3C}\n"));
        QVERIFY(once.contains("[TypeLib\\{8944F4A6-B7C0-4D02-8A88-20F9F3F1F4A4}\\1.0]\n"));
        QVERIFY(once.contains("HelpString=Dispatch interface for Tapcell Control\n"));
        QVERIFY(once.contains("ThreadingModel=Apartment\n"));
        QVERIFY(once.contains("MiscStatus=131473\n"));
        QCOMPARE(registerServer_(), S_OK);
        QCOMPARE(contents(), once);
    }

    void unregisteringRemovesEveryEntry() {
        QCOMPARE(registerServer_(), S_OK);
        QCOMPARE(unregisterServer_(), S_OK);
        QCOMPARE(contents(), QByteArray());
    }

private:
    QByteArray contents() const {
        QFile file(registry_);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QLibrary library_{TAPCELL_LIBRARY};
    QTemporaryDir dir_;
    QString registry_;
    Plain registerServer_ = nullptr;
    Plain unregisterServer_ = nullptr;
    Plain canUnloadNow_ = nullptr;
    GetClassObject getClassObject_ = nullptr;
};

QTEST_MAIN(TstTapcellModule)
#include "tst_tapcellmodule.moc"
