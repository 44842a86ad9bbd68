#include "midioutput/cmidioutputctrl.h"
#include "midioutput/cmidioutputproppage.h"
#include "presenteddialogs.h"
#include "scripteddialogs.h"

#include "hosting/ambientproperties.h"
#include "hosting/hresult.h"
#include "hosting/propertybag.h"
#include "midi/midiservices.h"
#include "midi/virtualdevices.h"
#include "system/twipsgeometry.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <memory>

using midi::VirtualDevices;

namespace {

QList<unsigned> addDevices(int count) {
    static const QStringList names{"Alpha", "Beta", "Gamma", "Delta"};
    QList<unsigned> ids;
    for (int i = 0; i < count; ++i) ids << VirtualDevices::addOutput(names.at(i));
    return ids;
}

QByteArray sysExBlock() {
    return QByteArray::fromHex("f0 43 10 4c 00 00 7e 00 41 f7");
}

}  // namespace

class TestMidiOutputCtrl : public QObject {
    Q_OBJECT

private:
    // A control as a running application shows it; ambient may be nullptr.
    std::unique_ptr<CMidiOutputCtrl> showControl(const hosting::AmbientProperties* ambient) {
        auto control = std::make_unique<CMidiOutputCtrl>();
        control->setAmbient(ambient);
        control->resize(240, 60);
        control->show();
        return control;
    }
    QComboBox* listOf(CMidiOutputCtrl& control) { return control.findChild<QComboBox*>(); }

    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<PresentedDialogs> presented_;

private slots:
    void initTestCase() { midi::MidiServices::instance().useVirtualOnly(true); }
    void init() {
        VirtualDevices::clear();
        dialogs_ = std::make_unique<ScriptedDialogs>();
        presented_ = std::make_unique<PresentedDialogs>();
    }
    void cleanup() {
        QCOMPARE(dialogs_->unusedAnswers(), 0);
        presented_.reset();
        dialogs_.reset();
    }

    void shortMessagePacking_data() {
        QTest::addColumn<QVariantList>("arguments");
        QTest::addColumn<quint32>("sent");
        QTest::newRow("status first") << QVariantList{144, 9, 36, 126} << 0x007E2499u;
        QTest::newRow("channel first") << QVariantList{9, 144, 36, 126} << 0x007E2499u;
        QTest::newRow("note wraps") << QVariantList{144, 9, 300, 0} << 0x00002C99u;
        QTest::newRow("sum wraps") << QVariantList{200, 100, 0, 256} << 0x0000002Cu;
        QTest::newRow("negatives") << QVariantList{-1, 0, -1, -128} << 0x0080FFFFu;
        QTest::newRow("16-bit and text")
            << QVariantList{QVariant::fromValue<qint16>(144), 9.0, QStringLiteral("36"), 126}
            << 0x007E2499u;
    }
    void shortMessagePacking() {
        QFETCH(QVariantList, arguments);
        QFETCH(quint32, sent);
        const unsigned device = addDevices(1).first();
        auto control = showControl(nullptr);
        QCOMPARE(control->invoke(CMidiOutputCtrl::DispSendShortMessage, arguments), QVariant(0));
        const auto received = VirtualDevices::received(device);
        QCOMPARE(received.size(), 1);
        QCOMPARE(received.first().shortMessage, sent);
    }

    void shortMessageResultCodes() {
        addDevices(1);
        CMidiOutputCtrl hidden;  // never shown: no device opened
        QCOMPARE(hidden.SendShortMessage(144, 9, 36, 126), qint32(midi::kInvalidHandle));
        auto control = showControl(nullptr);
        QCOMPARE(control->SendShortMessage(144, 9, 36, 126), qint32(midi::kNoError));
        VirtualDevices::clear();  // the open device vanishes under the control
        QVERIFY(control->hasOpenDevice());
        QCOMPARE(control->SendShortMessage(144, 9, 36, 126), qint32(midi::kInvalidHandle));
    }

    void deviceIdClamp_data() {
        QTest::addColumn<int>("devices");
        QTest::addColumn<QVariant>("put");
        QTest::addColumn<int>("expected");
        QTest::newRow("above the last") << 3 << QVariant(8) << 2;
        QTest::newRow("negative") << 3 << QVariant(-5) << 0;
        QTest::newRow("in range") << 3 << QVariant(1) << 1;
        QTest::newRow("start-up put, 16 bit") << 1 << QVariant::fromValue<qint16>(8) << 0;
    }
    void deviceIdClamp() {
        QFETCH(int, devices);
        QFETCH(QVariant, put);
        QFETCH(int, expected);
        const QList<unsigned> ids = addDevices(devices);
        auto control = showControl(nullptr);
        control->setModified(false);
        control->putProperty(CMidiOutputCtrl::DispDeviceID, put);
        QCOMPARE(control->getProperty(CMidiOutputCtrl::DispDeviceID), QVariant(expected));
        QCOMPARE(listOf(*control)->currentIndex(), expected);
        QVERIFY(VirtualDevices::isOpen(ids.at(expected)));
        QVERIFY(control->isModified());
    }

    void noDevices_data() {
        QTest::addColumn<int>("put");
        QTest::addColumn<int>("expected");
        QTest::newRow("kept") << 8 << 8;
        QTest::newRow("negative") << -5 << 0;
    }
    void noDevices() {
        QFETCH(int, put);
        QFETCH(int, expected);
        auto control = showControl(nullptr);  // nothing to list, nothing opened, no message
        QCOMPARE(listOf(*control)->count(), 0);
        dialogs_->answerMessage(sys::MessageAnswer::Ok);
        control->setDeviceId(put);
        QCOMPARE(control->deviceId(), expected);
        QCOMPARE(dialogs_->messageTexts(), QStringList{"Unable to open"});
        QCOMPARE(dialogs_->shown().first().buttons, sys::MessageButtons::Ok);
        QCOMPARE(dialogs_->shown().first().icon, sys::MessageIcon::None);
        QVERIFY(!control->hasOpenDevice());
    }

    void designModeOpensNothing() {
        const QList<unsigned> ids = addDevices(3);
        hosting::AmbientProperties designer;
        designer.setUserMode(false);
        CMidiOutputCtrl control;
        control.setAmbient(&designer);
        hosting::PropertyBag bag;
        bag.write("DeviceID", 1u);
        control.loadProperties(bag);
        control.show();
        QComboBox* list = listOf(control);
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->itemText(0), QStringLiteral("0 - Alpha"));
        QCOMPARE(list->itemText(2), QStringLiteral("2 - Gamma"));
        QCOMPARE(list->currentIndex(), 1);
        control.setDeviceId(2);
        QCOMPARE(list->currentIndex(), 2);
        for (unsigned id : ids) QCOMPARE(VirtualDevices::openCount(id), 0);
    }

    void userModeWhenContainerDoesNotAnswer() {
        const unsigned device = addDevices(1).first();
        hosting::AmbientProperties silent;  // answers for nothing
        auto control = showControl(&silent);
        QVERIFY(VirtualDevices::isOpen(device));
    }

    void putBeforeWindowOpensTwice() {
        const QList<unsigned> ids = addDevices(2);
        CMidiOutputCtrl control;
        control.setDeviceId(1);
        QCOMPARE(VirtualDevices::openCount(ids.at(1)), 1);
        control.show();
        QCOMPARE(listOf(control)->currentIndex(), 1);
        QCOMPARE(VirtualDevices::openCount(ids.at(1)), 2);
        QCOMPARE(VirtualDevices::closeCount(ids.at(1)), 1);
        QVERIFY(VirtualDevices::isOpen(ids.at(1)));
    }

    void choosingListEntryReopens() {
        const QList<unsigned> ids = addDevices(3);
        auto control = showControl(nullptr);
        control->setModified(false);
        QComboBox* list = listOf(*control);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(control->deviceId(), 1);
        QVERIFY(!VirtualDevices::isOpen(ids.at(0)));
        QCOMPARE(VirtualDevices::closeCount(ids.at(0)), 1);
        QVERIFY(VirtualDevices::isOpen(ids.at(1)));
        QVERIFY(!control->isModified());
        control->SendShortMessage(0x90, 0, 60, 100);
        QCOMPARE(VirtualDevices::received(ids.at(1)).size(), 1);
        QVERIFY(VirtualDevices::received(ids.at(0)).isEmpty());
    }

    // An output opens only once at a time, so picking the open device again succeeds only
    // when the control closes it before opening.
    void pickingOpenDeviceWithMouseReopensIt() {
        const QList<unsigned> ids = addDevices(2);
        auto control = showControl(nullptr);
        QComboBox* list = listOf(*control);
        QTest::mouseClick(list, Qt::LeftButton);
        QAbstractItemView* popup = list->view();
        QTRY_VERIFY(popup->isVisible());
        // The popup ignores releases until the double-click time after it opened.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        const QRect item = popup->visualRect(list->model()->index(0, 0));
        QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, item.center());
        QTRY_VERIFY(!popup->isVisible());
        QCOMPARE(VirtualDevices::openCount(ids.at(0)), 2);
        QCOMPARE(VirtualDevices::closeCount(ids.at(0)), 1);
        QVERIFY(VirtualDevices::isOpen(ids.at(0)));
    }

    void sysExArrivesIntactAndIsReleased() {
        const unsigned device = addDevices(1).first();
        VirtualDevices::setLongMessageDelay(device, 40);
        auto control = showControl(nullptr);
        {
            QByteArray buffer = sysExBlock();
            const QVariantList arguments{buffer, 10};
            QCOMPARE(control->invoke(CMidiOutputCtrl::DispSendSysExMessage, arguments),
                     QVariant(0));
            buffer.fill('\0');  // the caller's buffer is reused at once
        }
        QCOMPARE(control->pendingSysExCount(), 1);
        QTRY_COMPARE(control->pendingSysExCount(), 0);
        const auto received = VirtualDevices::received(device);
        QCOMPARE(received.size(), 1);
        QCOMPARE(received.first().longMessage, sysExBlock());
    }

    void sysExOfVanishedDeviceIsFreed() {
        const unsigned device = addDevices(1).first();
        VirtualDevices::setLongMessageDelay(device, 10000);
        auto control = showControl(nullptr);
        control->SendSysExMessage(sysExBlock(), 10);
        QCOMPARE(control->pendingSysExCount(), 1);
        VirtualDevices::clear();  // the device will never report the block done
        QTRY_COMPARE(control->pendingSysExCount(), 0);
    }

    void sysExBoundedByBuffer_data() {
        QTest::addColumn<QVariant>("buffer");
        QTest::addColumn<int>("bufferLen");
        QTest::addColumn<QByteArray>("sent");
        const QByteArray block = sysExBlock();
        QTest::newRow("exact") << QVariant(block) << 10 << block;
        QTest::newRow("shorter") << QVariant(block) << 4 << block.left(4);
        QTest::newRow("longer than the buffer") << QVariant(block) << 1000 << block;
        QTest::newRow("negative") << QVariant(block) << -1 << block;
        QTest::newRow("text in Latin-1") << QVariant(QString::fromLatin1(block)) << 1000 << block;
    }
    void sysExBoundedByBuffer() {
        QFETCH(QVariant, buffer);
        QFETCH(int, bufferLen);
        QFETCH(QByteArray, sent);
        const unsigned device = addDevices(1).first();
        auto control = showControl(nullptr);
        control->invoke(CMidiOutputCtrl::DispSendSysExMessage, {buffer, bufferLen});
        const auto received = VirtualDevices::received(device);
        QCOMPARE(received.size(), 1);
        QCOMPARE(received.first().longMessage, sent);
    }

    void sysExWithoutDeviceReportsPrepareError() {
        CMidiOutputCtrl control;
        dialogs_->answerMessage(sys::MessageAnswer::Ok);
        QCOMPARE(control.SendSysExMessage(sysExBlock(), 10), qint32(midi::kInvalidHandle));
        QCOMPARE(dialogs_->messageTexts(), QStringList{"Error preparing header"});
    }

    void destructionClosesDevice() {
        const unsigned device = addDevices(1).first();
        VirtualDevices::setLongMessageDelay(device, 10000);
        auto control = showControl(nullptr);
        control->SendSysExMessage(sysExBlock(), 10);
        QCOMPARE(control->pendingSysExCount(), 1);
        control.reset();
        QVERIFY(!VirtualDevices::isOpen(device));
        QCOMPARE(VirtualDevices::closeCount(device), 1);
    }

    void aboutBoxAndPropertyPage() {
        CMidiOutputCtrl control;
        QVERIFY(!control.invoke(hosting::DispAboutBox).isValid());
        bool pageIsOwn = false;
        presented_->inspect = [&](QDialog& dialog) {
            pageIsOwn = dialog.findChild<CMidiOutputPropPage*>() != nullptr;
        };
        control.showProperties();
        QCOMPARE(presented_->shown.size(), 2);
        const PresentedDialogs::Shown about = presented_->shown.at(0);
        QCOMPARE(about.title, QStringLiteral("About MidiOutput Control"));
        QVERIFY(about.labels.contains("MidiOutput Control, Version 1.0"));
        const PresentedDialogs::Shown frame = presented_->shown.at(1);
        QCOMPARE(frame.tabs, QStringList{"General"});
        QCOMPARE(frame.labels, QStringList{"TODO: Place controls to manipulate properties of "
                                           "MidiOutput Control on this dialog."});
        QVERIFY(pageIsOwn);
    }

    void dispatchErrors_data() {
        QTest::addColumn<int>("kind");  // 0 get, 1 put, 2 invoke
        QTest::addColumn<int>("dispid");
        QTest::addColumn<QVariantList>("arguments");
        QTest::addColumn<int>("code");
        const int badCount = hosting::DISP_E_BADPARAMCOUNT;
        const int mismatch = hosting::DISP_E_TYPEMISMATCH;
        const int unknown = hosting::DISP_E_MEMBERNOTFOUND;
        QTest::newRow("three arguments") << 2 << 2 << QVariantList{144, 9, 36} << badCount;
        QTest::newRow("no number") << 2 << 2 << QVariantList{144, 9, "x", 0} << mismatch;
        QTest::newRow("list for buffer") << 2 << 3 << QVariantList{QVariantList{}, 2} << mismatch;
        QTest::newRow("about with argument") << 2 << -552 << QVariantList{1} << badCount;
        QTest::newRow("unknown method") << 2 << 99 << QVariantList{} << unknown;
        QTest::newRow("method as property") << 0 << 2 << QVariantList{} << unknown;
        QTest::newRow("list for DeviceID") << 1 << 1 << QVariantList{QStringList{"1"}} << mismatch;
        QTest::newRow("DeviceID indexed") << 0 << 1 << QVariantList{0} << badCount;
    }
    void dispatchErrors() {
        QFETCH(int, kind);
        QFETCH(int, dispid);
        QFETCH(QVariantList, arguments);
        QFETCH(int, code);
        const unsigned device = addDevices(1).first();
        CMidiOutputCtrl control;
        try {
            if (kind == 0) control.getProperty(dispid, arguments);
            if (kind == 1) control.putProperty(dispid, arguments.first());
            if (kind == 2) control.invoke(dispid, arguments);
            QFAIL("no automation error");
        } catch (const hosting::AutomationError& error) {
            QCOMPARE(error.code, code);
        }
        QCOMPARE(control.deviceId(), 0);
        QVERIFY(VirtualDevices::received(device).isEmpty());
    }

    void persistence() {
        addDevices(3);
        CMidiOutputCtrl saved;
        saved.setDeviceId(2);
        sys::TwipsGeometry::set(&saved, 0, 0, 3000, 300);
        hosting::PropertyBag bag;
        saved.saveProperties(bag);
        QCOMPARE(bag.names().first(), QStringLiteral("_Version"));
        QCOMPARE(bag.read<quint32>("_Version", 0), 0x00010000u);
        QCOMPARE(bag.names().last(), QStringLiteral("DeviceID"));

        CMidiOutputCtrl loaded;
        loaded.loadProperties(bag);
        QCOMPARE(loaded.deviceId(), 2);
        QCOMPARE(sys::TwipsGeometry::of(&loaded).size(), QSizeF(3000, 300));
        QVERIFY(!loaded.hasOpenDevice());  // opened only when its window is created
        bag.remove("deviceid");
        loaded.loadProperties(bag);
        QCOMPARE(loaded.deviceId(), 0);
        saved.initNew();
        QCOMPARE(saved.deviceId(), 0);
    }

    void layoutAndBackColor_data() {
        QTest::addColumn<quint32>("ambientColor");
        QTest::addColumn<QColor>("painted");
        QTest::newRow("rgb") << 0x00336699u << QColor(0x99, 0x66, 0x33);
        QTest::newRow("button face") << 0x8000000Fu << QPalette().color(QPalette::Button);
    }
    void layoutAndBackColor() {
        QFETCH(quint32, ambientColor);
        QFETCH(QColor, painted);
        hosting::AmbientProperties container;
        container.setBackColor(ambientColor);
        auto control = showControl(&container);
        control->resize(300, 90);
        QCOMPARE(listOf(*control)->geometry(), QRect(0, 0, 300, 20));
        const QImage image = control->grab().toImage();
        QCOMPARE(image.pixelColor(150, 60), painted);
        QCOMPARE(image.pixelColor(299, 89), painted);
    }
};

QTEST_MAIN(TestMidiOutputCtrl)
#include "tst_midioutputctrl.moc"
