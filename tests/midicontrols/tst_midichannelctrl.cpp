#include "midichannel/cmidichannelctrl.h"

#include "hosting/propertybag.h"

#include <QComboBox>
#include <QTest>

class TestMidiChannelCtrl : public QObject {
    Q_OBJECT

private slots:
    void putChannel_data() {
        QTest::addColumn<QVariant>("put");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("above 15") << QVariant(20) << 15 << "Channel 16";
        QTest::newRow("below 0") << QVariant(-3) << 0 << "Channel 01";
        QTest::newRow("in range") << QVariant(9) << 9 << "Channel 10";
        QTest::newRow("text") << QVariant("4") << 4 << "Channel 05";
    }
    void putChannel() {
        QFETCH(QVariant, put);
        QFETCH(int, stored);
        QFETCH(QString, shown);
        CMidiChannelCtrl control;
        control.show();
        control.putProperty(CMidiChannelCtrl::DispChannel, put);
        QCOMPARE(control.getProperty(CMidiChannelCtrl::DispChannel), QVariant(stored));
        QCOMPARE(control.findChild<QComboBox*>()->currentText(), shown);
        QVERIFY(control.isModified());
    }

    void choosingFromTheList() {
        CMidiChannelCtrl control;
        control.resize(150, 50);
        control.show();
        QComboBox* list = control.findChild<QComboBox*>();
        QCOMPARE(list->count(), 16);
        QCOMPARE(list->geometry(), QRect(0, 0, 150, 20));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(control.channel(), 1);
        QVERIFY(!control.isModified());
    }

    void loadedChannelStaysAChannel() {
        hosting::PropertyBag bag;
        bag.write("Channel", 4000000000u);
        CMidiChannelCtrl control;
        control.loadProperties(bag);
        QCOMPARE(control.channel(), 15);
    }
};

QTEST_MAIN(TestMidiChannelCtrl)
#include "tst_midichannelctrl.moc"
