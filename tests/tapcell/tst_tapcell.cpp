#include "hosting/hresult.h"
#include "hosting/propertybag.h"
#include "system/twipsgeometry.h"
#include "tapcell.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <limits>

using hosting::PropertyBag;

namespace {

enum class Gesture { Click, DoubleClick };

// Everything a cell raises, typed and late-bound, in order.
struct EventLog {
    explicit EventLog(Tapcell* cell) {
        QObject::connect(cell, &Tapcell::Click, [this] { typed << "Click"; });
        QObject::connect(cell, &Tapcell::DblClick, [this] { typed << "DblClick"; });
        QObject::connect(cell, &Tapcell::RightClick, [this] { typed << "RightClick"; });
        QObject::connect(cell, &Tapcell::ClickEvent,
                         [this](int kind) { typed << QString("ClickEvent %1").arg(kind); });
        QObject::connect(
            cell, &hosting::ControlWidget::eventRaised,
            [this](int id, const QVariantList& args) { lateBound << nameOf(id, args); });
    }
    static QString nameOf(int id, const QVariantList& args) {
        switch (id) {
            case Tapcell::EventClick:
                return "Click";
            case Tapcell::EventDblClick:
                return "DblClick";
            case Tapcell::EventRightClick:
                return "RightClick";
            case Tapcell::EventClickEvent:
                return QString("ClickEvent %1").arg(args.value(0).toInt());
        }
        return "unknown";
    }
    void clear() {
        typed.clear();
        lateBound.clear();
    }
    QStringList typed;
    QStringList lateBound;
};

QRgb rgb(quint32 color) {
    return qRgb(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

const QStringList kColorNames = {"Background0Unpressed", "Background1Light", "Background2Normal",
                                 "Background3Strong"};

}  // namespace

// A cell placed in a shown window, clicked through the window as the platform delivers it.
class TstTapcell : public QObject {
    Q_OBJECT

private slots:
    void init() {
        window_ = std::make_unique<QWidget>();
        window_->resize(100, 100);
        cell_ = new Tapcell(window_.get());
        sys::TwipsGeometry::set(cell_, 300, 300, 200, 200);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup() { window_.reset(); }

    void clicksRaiseTheirEventsInOrder_data() {
        QTest::addColumn<Gesture>("gesture");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("left click")
            << Gesture::Click << Qt::LeftButton << QStringList{"Click", "ClickEvent 1"};
        QTest::newRow("right click")
            << Gesture::Click << Qt::RightButton << QStringList{"RightClick", "ClickEvent 2"};
        QTest::newRow("left double click")
            << Gesture::DoubleClick << Qt::LeftButton
            << QStringList{"Click", "ClickEvent 1", "DblClick", "ClickEvent 3"};
        QTest::newRow("right double click")
            << Gesture::DoubleClick << Qt::RightButton
            << QStringList{"RightClick", "ClickEvent 2", "DblClick", "ClickEvent 3"};
        QTest::newRow("middle click") << Gesture::Click << Qt::MiddleButton << QStringList{};
        QTest::newRow("middle double click")
            << Gesture::DoubleClick << Qt::MiddleButton << QStringList{};
    }
    void clicksRaiseTheirEventsInOrder() {
        QFETCH(Gesture, gesture);
        QFETCH(Qt::MouseButton, button);
        QFETCH(QStringList, expected);
        EventLog log(cell_);
        if (gesture == Gesture::Click)
            QTest::mouseClick(window(), button, {}, center());
        else
            QTest::mouseDClick(window(), button, {}, center());
        QCOMPARE(log.typed, expected);
        QCOMPARE(log.lateBound, expected);
        QCOMPARE(cell_->value(), 0);
        QVERIFY(!cell_->isRightPressed());

        log.clear();
        QTest::mouseClick(window(), Qt::LeftButton, {}, center());
        QCOMPARE(log.typed, (QStringList{"Click", "ClickEvent 1"}));
    }

    // Space and the accessible Press take the path of the mouse, with the same events.
    void keysAndPressActionClick_data() {
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("viaAction");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("Space") << Qt::KeyboardModifiers() << false
                               << QStringList{"Click", "ClickEvent 1"};
        QTest::newRow("Shift+Space") << Qt::KeyboardModifiers(Qt::ShiftModifier) << false
                                     << QStringList{"RightClick", "ClickEvent 2"};
        QTest::newRow("Ctrl+Space")
            << Qt::KeyboardModifiers(Qt::ControlModifier) << false << QStringList{};
        QTest::newRow("action Press")
            << Qt::KeyboardModifiers() << true << QStringList{"Click", "ClickEvent 1"};
    }
    void keysAndPressActionClick() {
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, viaAction);
        QFETCH(QStringList, expected);
        EventLog log(cell_);
        if (viaAction)
            QAccessible::queryAccessibleInterface(cell_)->actionInterface()->doAction(
                QAccessibleActionInterface::pressAction());
        else
            QTest::keyClick(cell_, Qt::Key_Space, modifiers);
        QCOMPARE(log.typed, expected);
        QCOMPARE(log.lateBound, expected);
        QVERIFY(!cell_->isRightPressed());
        QCOMPARE(cell_->value(), 0);
    }

    void accessibleInterfaceShowsTheLevel_data() {
        QTest::addColumn<qint32>("value");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("checked");
        QTest::newRow("0") << 0 << "aus" << false;
        QTest::newRow("1") << 1 << "leicht" << true;
        QTest::newRow("2") << 2 << "normal" << true;
        QTest::newRow("3") << 3 << "stark" << true;
        QTest::newRow("7") << 7 << "7" << true;
    }
    void accessibleInterfaceShowsTheLevel() {
        QFETCH(qint32, value);
        QFETCH(QString, text);
        QFETCH(bool, checked);
        cell_->setAccessibleName("Snare, Schritt 5");
        cell_->setValue(value);
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(cell_);
        QCOMPARE(a->role(), QAccessible::CheckBox);
        QCOMPARE(a->text(QAccessible::Name), QStringLiteral("Snare, Schritt 5"));
        QCOMPARE(a->text(QAccessible::Value), text);
        QCOMPARE(a->text(QAccessible::Description), text);
        QVERIFY(a->state().checkable);
        QCOMPARE(bool(a->state().checked), checked);
        QVERIFY(a->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
    }

    // Only while the window is used from the keyboard; the middle keeps the level colour.
    void focusFrameLeavesTheColourVisible() {
        cell_->setValue(Tapcell::Normal);
        cell_->setFocus();
        QVERIFY(cell_->hasFocus());
        QCOMPARE(cell_->grab().toImage().pixel(0, 0), qRgb(0, 0, 0));  // no keys used yet
        QTest::keyClick(cell_, Qt::Key_Up);
        const QImage image = cell_->grab().toImage();
        QCOMPARE(image.pixel(6, 6), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(2, 2), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(0, 0), cell_->palette().color(QPalette::Highlight).rgb());
        QCOMPARE(image.pixel(1, 1), qRgb(255, 255, 255));
        window_->setAttribute(Qt::WA_KeyboardFocusChange, false);
    }

    void rightPressLastsUntilTheNextClick() {
        EventLog log(cell_);
        QTest::mousePress(window(), Qt::RightButton, {}, center());
        QVERIFY(cell_->isRightPressed());
        QTest::mouseRelease(window(), Qt::RightButton, {}, QPoint(90, 90));
        QVERIFY(log.typed.isEmpty());
        QVERIFY(cell_->isRightPressed());
        QTest::mouseClick(window(), Qt::LeftButton, {}, center());
        QCOMPARE(log.typed, (QStringList{"RightClick", "ClickEvent 2"}));
        QVERIFY(!cell_->isRightPressed());
    }

    void releaseOffTheCellIsNoClick() {
        EventLog log(cell_);
        QTest::mousePress(window(), Qt::LeftButton, {}, center());
        QTest::mouseRelease(window(), Qt::LeftButton, {}, QPoint(90, 90));
        QVERIFY(log.typed.isEmpty());
    }

    void cellMayBeDestroyedByItsContainerDuringAClick() {
        QPointer<Tapcell> cell(cell_);
        connect(cell_, &Tapcell::Click, cell_, [this] { delete cell_; });
        QTest::mouseClick(window(), Qt::LeftButton, {}, center());
        QVERIFY(cell.isNull());
    }

    void valuePutRecoloursOnlyLevels_data() {
        QTest::addColumn<qint32>("value");
        QTest::addColumn<QRgb>("face");
        QTest::newRow("0") << 0 << rgb(16777215);
        QTest::newRow("1") << 1 << rgb(14737632);
        QTest::newRow("2") << 2 << rgb(0);
        QTest::newRow("3") << 3 << rgb(255);
        QTest::newRow("4 keeps") << 4 << rgb(255);
        QTest::newRow("5 keeps") << 5 << rgb(255);
        QTest::newRow("-1 keeps") << -1 << rgb(255);
    }
    void valuePutRecoloursOnlyLevels() {
        QFETCH(qint32, value);
        QFETCH(QRgb, face);
        EventLog log(cell_);
        cell_->setValue(Tapcell::Stark);
        cell_->setValue(value);
        QCOMPARE(cell_->value(), value);
        QCOMPARE(cell_->faceColor(), face);
        QVERIFY(log.typed.isEmpty());
        QVERIFY(log.lateBound.isEmpty());
    }

    void faceIsPaintedInItsColour() {
        cell_->setBackground2Normal(192);
        cell_->setValue(Tapcell::Normal);
        const QImage image = cell_->grab().toImage();
        QCOMPARE(image.size(), QSize(13, 13));
        QCOMPARE(image.pixel(0, 0), qRgb(192, 0, 0));
        QCOMPARE(image.pixel(12, 12), qRgb(192, 0, 0));
    }

    void colourPutShowsTheCurrentLevelAgain() {
        cell_->setValue(Tapcell::Normal);
        cell_->setBackground2Normal(8454016);
        QCOMPARE(cell_->faceColor(), qRgb(128, 255, 128));
        cell_->setValue(Tapcell::Wenig);
        cell_->setBackground2Normal(192);
        QCOMPARE(cell_->faceColor(), rgb(14737632));
        QCOMPARE(cell_->background2Normal(), 192);
    }

    void coloursRoundHalfToEven_data() {
        QTest::addColumn<double>("put");
        QTest::addColumn<qint32>("read");
        QTest::newRow("8454016.5") << 8454016.5 << 8454016;
        QTest::newRow("8454017.5") << 8454017.5 << 8454018;
        QTest::newRow("0.5") << 0.5 << 0;
        QTest::newRow("1.5") << 1.5 << 2;
        QTest::newRow("254.5") << 254.5 << 254;
        QTest::newRow("191.6") << 191.6 << 192;
        QTest::newRow("-0.5") << -0.5 << 0;
        QTest::newRow("too large saturates") << 1e12 << std::numeric_limits<qint32>::max();
        QTest::newRow("too small saturates") << -1e12 << std::numeric_limits<qint32>::min();
        QTest::newRow("not a number") << qQNaN() << 0;
    }
    void coloursRoundHalfToEven() {
        QFETCH(double, put);
        QFETCH(qint32, read);
        cell_->setValue(Tapcell::Wenig);
        cell_->setBackground1Light(put);
        QCOMPARE(cell_->background1Light(), read);
        QCOMPARE(cell_->faceColor(), rgb(quint32(read)));
        QCOMPARE(cell_->getProperty(Tapcell::DispBackground1Light).toInt(), read);
        QCOMPARE(cell_->property("Background1Light").toDouble(), double(read));
    }

    void cellKeepsItsSizeInTwips() {
        QCOMPARE(sys::TwipsGeometry::of(cell_), QRectF(300, 300, 200, 200));
        sys::TwipsGeometry::set(cell_, 600, 150, 500, 300);
        QCOMPARE(sys::TwipsGeometry::of(cell_), QRectF(600, 150, 200, 200));
        QCOMPARE(cell_->geometry(), QRect(40, 10, 13, 13));
        cell_->resize(40, 30);
        QCOMPARE(cell_->size(), QSize(13, 13));
        QCOMPARE(sys::TwipsGeometry::of(cell_).size(), QSizeF(200, 200));
    }

    void savingWritesFiveEntries() {
        cell_->setValue(7);
        cell_->setBackground1Light(8454016.5);
        PropertyBag bag;
        cell_->saveProperties(bag);
        QCOMPARE(bag.names(), QStringList{"Value"} + kColorNames);
        QCOMPARE(bag.read("Value").typeId(), QMetaType::Int);
        QCOMPARE(bag.read("Value").toInt(), 7);
        QCOMPARE(bag.read("Background1Light").typeId(), QMetaType::Double);
        QCOMPARE(bag.read("Background1Light").toDouble(), 8454016.5);
        QCOMPARE(bag.read("Background0Unpressed").toDouble(), 16777215.0);
    }

    void propertiesSurviveAFile() {
        QTemporaryDir dir;
        cell_->setValue(Tapcell::Stark);
        cell_->setBackground0Unpressed(1);
        cell_->setBackground1Light(8454017.5);
        cell_->setBackground2Normal(3);
        cell_->setBackground3Strong(192);
        PropertyBag saved;
        cell_->saveProperties(saved);
        QVERIFY(saved.saveToFile(dir.filePath("cell.json")));

        PropertyBag loaded;
        QVERIFY(loaded.loadFromFile(dir.filePath("cell.json")));
        Tapcell copy;
        copy.loadProperties(loaded);
        PropertyBag again;
        copy.saveProperties(again);
        for (const QString& name : saved.names()) QCOMPARE(again.read(name), saved.read(name));
        QCOMPARE(copy.background1Light(), 8454018);
    }

    void missingEntriesTakeTheLoadingDefaults_data() {
        QTest::addColumn<PropertyBag>("bag");
        QTest::addColumn<QList<qint32>>("expected");  // Value, then the four colours
        QTest::newRow("empty") << PropertyBag() << QList<qint32>{0, 0, 4095, 0, 255};
        PropertyBag some;
        some.write("value", 3);
        some.write("BACKGROUND2NORMAL", 192.0);
        QTest::newRow("some, other case") << some << QList<qint32>{3, 0, 4095, 192, 255};
        PropertyBag odd;
        odd.write("Value", "abc");
        odd.write("Background3Strong", "lots");
        QTest::newRow("unreadable") << odd << QList<qint32>{0, 0, 4095, 0, 255};
    }
    void missingEntriesTakeTheLoadingDefaults() {
        QFETCH(PropertyBag, bag);
        QFETCH(QList<qint32>, expected);
        cell_->loadProperties(bag);
        QCOMPARE(
            (QList<qint32>{cell_->value(), cell_->background0Unpressed(), cell_->background1Light(),
                           cell_->background2Normal(), cell_->background3Strong()}),
            expected);
    }

    void newInstanceHasItsOwnDefaults() {
        Tapcell cell;
        QCOMPARE((QList<qint32>{cell.value(), cell.background0Unpressed(), cell.background1Light(),
                                cell.background2Normal(), cell.background3Strong()}),
                 (QList<qint32>{0, 16777215, 14737632, 0, 255}));
    }

    void faceIsNotRepaintedByNewOrLoad() {
        PropertyBag bag;
        bag.write("Value", 2);
        cell_->loadProperties(bag);
        QCOMPARE(cell_->faceColor(), qRgb(255, 255, 255));
        cell_->setValue(Tapcell::Stark);
        cell_->loadProperties(bag);
        cell_->initNew();
        QCOMPARE(cell_->faceColor(), qRgb(255, 0, 0));
        cell_->setValue(Tapcell::Normal);
        QCOMPARE(cell_->faceColor(), qRgb(0, 0, 0));
    }

    void dispatchReachesEveryProperty_data() {
        QTest::addColumn<int>("dispid");
        QTest::addColumn<QVariant>("put");
        QTest::addColumn<QVariant>("read");
        QTest::newRow("Background0Unpressed") << 1 << QVariant(12.5) << QVariant(12);
        QTest::newRow("Background1Light") << 2 << QVariant("8454016") << QVariant(8454016);
        QTest::newRow("Background2Normal") << 3 << QVariant(7) << QVariant(7);
        QTest::newRow("Background3Strong") << 4 << QVariant(192) << QVariant(192);
        QTest::newRow("Value") << 5 << QVariant(2.5) << QVariant(2);
    }
    void dispatchReachesEveryProperty() {
        QFETCH(int, dispid);
        QFETCH(QVariant, put);
        QFETCH(QVariant, read);
        cell_->putProperty(dispid, put);
        QCOMPARE(cell_->getProperty(dispid), read);
        QCOMPARE(cell_->property(kColorNames.value(dispid - 1, "Value").toLatin1()).toInt(),
                 read.toInt());
    }

    void dispatchErrors_data() {
        QTest::addColumn<int>("call");  // 0 get, 1 put, 2 invoke
        QTest::addColumn<int>("dispid");
        QTest::addColumn<QVariantList>("index");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<hosting::HRESULT>("error");
        QTest::newRow("get unknown")
            << 0 << 6 << QVariantList{} << QVariant() << hosting::DISP_E_MEMBERNOTFOUND;
        QTest::newRow("put unknown")
            << 1 << 0 << QVariantList{} << QVariant(1) << hosting::DISP_E_MEMBERNOTFOUND;
        QTest::newRow("invoke") << 2 << 5 << QVariantList{} << QVariant()
                                << hosting::DISP_E_MEMBERNOTFOUND;
        QTest::newRow("get with index")
            << 0 << 5 << QVariantList{1} << QVariant() << hosting::DISP_E_BADPARAMCOUNT;
        QTest::newRow("put text") << 1 << 5 << QVariantList{} << QVariant("abc")
                                  << hosting::DISP_E_TYPEMISMATCH;
        QTest::newRow("put huge value")
            << 1 << 5 << QVariantList{} << QVariant(1e10) << hosting::DISP_E_OVERFLOW;
    }
    void dispatchErrors() {
        QFETCH(int, call);
        QFETCH(int, dispid);
        QFETCH(QVariantList, index);
        QFETCH(QVariant, value);
        QFETCH(hosting::HRESULT, error);
        QCOMPARE(hosting::resultOf([&] {
                     if (call == 0) cell_->getProperty(dispid, index);
                     if (call == 1) cell_->putProperty(dispid, value, index);
                     if (call == 2) cell_->invoke(dispid, index);
                 }),
                 error);
        QCOMPARE(cell_->value(), 0);
    }

private:
    QWindow* window() const { return window_->windowHandle(); }
    QPoint center() const { return cell_->geometry().center(); }

    std::unique_ptr<QWidget> window_;
    Tapcell* cell_ = nullptr;
};

QTEST_MAIN(TstTapcell)
#include "tst_tapcell.moc"
