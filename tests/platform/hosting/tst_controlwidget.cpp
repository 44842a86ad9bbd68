#include "hosting/controlwidget.h"
#include "hosting/hresult.h"
#include "hosting/propertybag.h"
#include "system/twipsgeometry.h"

#include <QTest>
#include <optional>

namespace {

// A control that keeps a size of its own when fixed is valid.
class SizedControl : public hosting::ControlWidget {
public:
    explicit SizedControl(QSizeF fixed, QWidget* parent = nullptr)
        : ControlWidget(parent), fixed_(fixed) {}
    QVariant getProperty(hosting::DispId id, const QVariantList&) override {
        raiseMemberNotFound(id);
    }
    void putProperty(hosting::DispId id, const QVariant&, const QVariantList&) override {
        raiseMemberNotFound(id);
    }
    QVariant invoke(hosting::DispId id, const QVariantList&) override { raiseMemberNotFound(id); }
    void saveProperties(hosting::PropertyBag&) const override {}
    void loadProperties(const hosting::PropertyBag&) override {}

    void setFixed(QSizeF fixed) {
        fixed_ = fixed;
        keepFixedSize();
    }

protected:
    QSizeF fixedSizeTwips() const override { return fixed_; }

private:
    QSizeF fixed_;
};

}  // namespace

class TstControlWidget : public QObject {
    Q_OBJECT

private slots:
    void userModeFollowsTheContainer_data() {
        QTest::addColumn<bool>("hasAmbient");
        QTest::addColumn<std::optional<bool>>("userMode");
        QTest::addColumn<bool>("expected");
        QTest::newRow("no ambient") << false << std::optional<bool>() << true;
        QTest::newRow("not answered") << true << std::optional<bool>() << true;
        QTest::newRow("design mode") << true << std::optional<bool>(false) << false;
        QTest::newRow("user mode") << true << std::optional<bool>(true) << true;
    }
    void userModeFollowsTheContainer() {
        QFETCH(bool, hasAmbient);
        QFETCH(std::optional<bool>, userMode);
        QFETCH(bool, expected);
        hosting::AmbientProperties ambient;
        ambient.setUserMode(userMode);
        SizedControl control({});
        if (hasAmbient) control.setAmbient(&ambient);
        QCOMPARE(control.isUserMode(), expected);
    }

    void fixedSizeWinsOverTheContainer() {
        QWidget container;
        container.resize(400, 400);
        SizedControl control(QSizeF(300, 450), &container);
        container.show();
        sys::TwipsGeometry::set(&control, 150, 300, 900, 600);
        QCOMPARE(sys::TwipsGeometry::of(&control), QRectF(150, 300, 300, 450));
        QCOMPARE(control.geometry(), QRect(10, 20, 20, 30));

        control.resize(77, 5);
        QCOMPARE(control.size(), QSize(20, 30));
        QCOMPARE(sys::TwipsGeometry::of(&control), QRectF(150, 300, 300, 450));
    }

    void hiddenControlTakesItsSizeWhenShown() {
        QWidget container;
        SizedControl control(QSizeF(300, 300), &container);
        control.hide();
        sys::TwipsGeometry::set(&control, 0, 0, 3000, 3000);
        QCOMPARE(sys::TwipsGeometry::of(&control).size(), QSizeF(300, 300));
        control.resize(90, 90);
        container.show();
        control.show();
        QCOMPARE(control.size(), QSize(20, 20));
    }

    void newFixedSizeIsApplied() {
        SizedControl control(QSizeF(240, 240));
        sys::TwipsGeometry::set(&control, 0, 0, 240, 240);
        control.setFixed(QSizeF(240, 4320));
        QCOMPARE(sys::TwipsGeometry::of(&control).size(), QSizeF(240, 4320));
        QCOMPARE(control.size(), QSize(16, 288));
    }

    void withoutFixedSizeTheContainerDecides() {
        SizedControl control({});
        sys::TwipsGeometry::set(&control, 15, 30, 1000, 200);
        QCOMPARE(sys::TwipsGeometry::of(&control), QRectF(15, 30, 1000, 200));
    }

    void argumentConversions_data() {
        QTest::addColumn<QVariant>("argument");
        QTest::addColumn<int>("bits");
        QTest::addColumn<qint64>("expected");
        QTest::addColumn<hosting::HRESULT>("error");
        QTest::newRow("int") << QVariant(42) << 32 << qint64(42) << hosting::S_OK;
        QTest::newRow("half down to even") << QVariant(2.5) << 32 << qint64(2) << hosting::S_OK;
        QTest::newRow("half up to even") << QVariant(3.5) << 32 << qint64(4) << hosting::S_OK;
        QTest::newRow("negative half")
            << QVariant(-32768.5) << 16 << qint64(-32768) << hosting::S_OK;
        QTest::newRow("numeric text") << QVariant("12") << 16 << qint64(12) << hosting::S_OK;
        QTest::newRow("true") << QVariant(true) << 16 << qint64(-1) << hosting::S_OK;
        QTest::newRow("text") << QVariant("abc") << 32 << qint64(0) << hosting::DISP_E_TYPEMISMATCH;
        QTest::newRow("empty") << QVariant() << 32 << qint64(0) << hosting::DISP_E_TYPEMISMATCH;
        QTest::newRow("long overflow")
            << QVariant(3e9) << 32 << qint64(0) << hosting::DISP_E_OVERFLOW;
        QTest::newRow("integer overflow")
            << QVariant(32768) << 16 << qint64(0) << hosting::DISP_E_OVERFLOW;
        QTest::newRow("not a number")
            << QVariant(qQNaN()) << 32 << qint64(0) << hosting::DISP_E_OVERFLOW;
    }
    void argumentConversions() {
        QFETCH(QVariant, argument);
        QFETCH(int, bits);
        QFETCH(qint64, expected);
        QFETCH(hosting::HRESULT, error);
        qint64 converted = 0;
        const hosting::HRESULT code = hosting::resultOf([&] {
            converted = bits == 16 ? hosting::Dispatch::toInt16(argument)
                                   : hosting::Dispatch::toInt32(argument);
        });
        QCOMPARE(code, error);
        QCOMPARE(converted, expected);
    }

    void wrongArgumentCountIsReported() {
        QCOMPARE(hosting::resultOf([] {
                     hosting::Dispatch::expectArgumentCount({1, 2}, 1);
                 }),
                 hosting::DISP_E_BADPARAMCOUNT);
        QCOMPARE(hosting::resultOf([] { hosting::Dispatch::expectArgumentCount({1}, 1); }),
                 hosting::S_OK);
    }
};

QTEST_MAIN(TstControlWidget)
#include "tst_controlwidget.moc"
