#include "hosting/hresult.h"
#include "hosting/propertybag.h"
#include "system/twipsgeometry.h"
#include "tapcell.h"
#include "views/checkarray.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

using hosting::PropertyBag;

namespace {

enum class Gesture { LeftClick, RightClick, DoubleClick, RightDoubleClick };

QRectF twipsOf(const QWidget* widget) {
    return sys::TwipsGeometry::of(widget);
}

}  // namespace

// A column placed on a shown window as the main window places its step columns; cells are
// clicked through the window as the platform delivers the clicks.
class TstCheckArray : public QObject {
    Q_OBJECT

private slots:
    void init() {
        window_ = std::make_unique<QWidget>();
        window_->resize(200, 400);
        column_ = new CheckArray(window_.get());
        sys::TwipsGeometry::set(column_, 2040, 360, 240, 4320);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup() { window_.reset(); }

    void cellsAreStackedEvery240Twips() {
        QCOMPARE(column_->nElements(), 18);
        for (int row = 1; row <= 18; ++row) {
            QCOMPARE(twipsOf(column_->cell(row)), QRectF(0, (row - 1) * 240, 200, 200));
            QVERIFY(column_->cell(row)->isVisible());
        }
        QCOMPARE(column_->cell(19), nullptr);
        QVERIFY(!column_->cell(0)->isVisible());
        QCOMPARE(twipsOf(column_->cell(0)).topLeft(), QPointF(0, 2520));
        QCOMPARE(column_->cell(18)->geometry(), QRect(0, 272, 13, 13));
    }

    void columnKeepsItsSizeWhateverTheContainerTries() {
        QCOMPARE(twipsOf(column_), QRectF(2040, 360, 240, 4320));
        sys::TwipsGeometry::set(column_, 2280, 360, 1000, 300);
        QCOMPARE(twipsOf(column_), QRectF(2280, 360, 240, 4320));
        QCOMPARE(column_->size(), QSize(16, 288));
        column_->resize(50, 50);
        QCOMPARE(column_->size(), QSize(16, 288));
        QCOMPARE(twipsOf(column_).size(), QSizeF(240, 4320));
    }

    void rowCountIsKeptInItsRange_data() {
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("rows");
        QTest::newRow("0") << 0 << 1;
        QTest::newRow("-5") << -5 << 1;
        QTest::newRow("1") << 1 << 1;
        QTest::newRow("18") << 18 << 18;
        QTest::newRow("136") << 136 << 136;
        QTest::newRow("137 clamps") << 137 << 136;
        QTest::newRow("32767 clamps") << 32767 << 136;
    }
    void rowCountIsKeptInItsRange() {
        QFETCH(int, asked);
        QFETCH(int, rows);
        column_->setNElements(asked);
        QCOMPARE(column_->nElements(), rows);
        QVERIFY(column_->cell(rows));
        QCOMPARE(column_->cell(rows + 1), nullptr);
        QCOMPARE(twipsOf(column_).size(), QSizeF(240, rows * 240.0));
        QCOMPARE(twipsOf(column_->cell(rows)).y(), (rows - 1) * 240.0);
    }

    void puttingTheRowCountClearsEveryLevel() {
        for (int row = 1; row <= 18; ++row) column_->setValue(row, row % 4);
        QPointer<Tapcell> old = column_->cell(3);
        column_->setNElements(18);
        QVERIFY(old.isNull());
        for (int row = 1; row <= 18; ++row) QCOMPARE(column_->value(row), 0);
    }

    void cellsTakeTheGridColoursFromTheTemplate() {
        column_->setNElements(3);
        for (int index = 0; index <= 3; ++index) {
            const Tapcell* cell = column_->cell(index);
            QCOMPARE((QList<qint32>{cell->background0Unpressed(), cell->background1Light(),
                                    cell->background2Normal(), cell->background3Strong()}),
                     (QList<qint32>{16777215, 8454016, 0, 192}));
            QCOMPARE(cell->value(), 0);
            QCOMPARE(cell->faceColor(), qRgb(255, 255, 255));
        }
        column_->setValue(2, 1);
        QCOMPARE(column_->cell(2)->faceColor(), qRgb(128, 255, 128));
    }

    void clickRule_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<Gesture>("gesture");
        QTest::addColumn<QList<int>>("levelsAtClick");  // the level seen by each Click
        QTest::newRow("left from 0") << 0 << Gesture::LeftClick << QList<int>{2};
        QTest::newRow("left from 1") << 1 << Gesture::LeftClick << QList<int>{0};
        QTest::newRow("left from 2") << 2 << Gesture::LeftClick << QList<int>{0};
        QTest::newRow("left from 3") << 3 << Gesture::LeftClick << QList<int>{0};
        QTest::newRow("right from 0") << 0 << Gesture::RightClick << QList<int>{1};
        QTest::newRow("right from 1") << 1 << Gesture::RightClick << QList<int>{0};
        QTest::newRow("right from 2") << 2 << Gesture::RightClick << QList<int>{1};
        QTest::newRow("right from 3") << 3 << Gesture::RightClick << QList<int>{2};
        QTest::newRow("double from 0") << 0 << Gesture::DoubleClick << QList<int>{2, 3};
        QTest::newRow("double from 1") << 1 << Gesture::DoubleClick << QList<int>{0, 3};
        QTest::newRow("double from 2") << 2 << Gesture::DoubleClick << QList<int>{0, 3};
        QTest::newRow("double from 3") << 3 << Gesture::DoubleClick << QList<int>{0, 3};
        QTest::newRow("right double from 0") << 0 << Gesture::RightDoubleClick << QList<int>{1, 3};
        QTest::newRow("right double from 3") << 3 << Gesture::RightDoubleClick << QList<int>{2, 3};
    }
    void clickRule() {
        QFETCH(int, start);
        QFETCH(Gesture, gesture);
        QFETCH(QList<int>, levelsAtClick);
        const int row = 5;
        column_->setValue(row, start);
        QList<int> rows;
        QList<int> levels;
        connect(column_, &CheckArray::Click, this, [&](int index) {
            rows << index;
            levels << column_->value(index);
        });
        perform(gesture, row);
        QCOMPARE(levels, levelsAtClick);
        QCOMPARE(rows, QList<int>(levelsAtClick.size(), row));
        QCOMPARE(column_->value(row), levelsAtClick.last());
        QCOMPARE(column_->value(row - 1) + column_->value(row + 1), 0);
    }

    void rightClicksStepDownToZero() {
        column_->setValue(7, 3);
        QList<int> seen;
        for (int i = 0; i < 3; ++i) {
            perform(Gesture::RightClick, 7);
            seen << column_->value(7);
        }
        QCOMPARE(seen, (QList<int>{2, 1, 0}));
        QCOMPARE(column_->cell(7)->faceColor(), qRgb(255, 255, 255));
    }

    void levelAfterClick_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("expected");
        QTest::newRow("unknown kind 0 keeps") << 2 << 0 << 2;
        QTest::newRow("unknown kind 4 keeps") << 1 << 4 << 1;
        QTest::newRow("left from 5") << 5 << 1 << 0;
        QTest::newRow("right from 5") << 5 << 2 << 4;
        QTest::newRow("right from -1") << -1 << 2 << -2;
        QTest::newRow("double from 7") << 7 << 3 << 3;
    }
    void levelAfterClick() {
        QFETCH(int, level);
        QFETCH(int, kind);
        QFETCH(int, expected);
        QCOMPARE(CheckArray::levelAfterClick(level, kind), expected);
    }

    void clickOfAnotherKindIsStillReported() {
        column_->setValue(3, 2);
        QSignalSpy clicks(column_, &CheckArray::Click);
        emit column_->cell(3)->ClickEvent(9);
        QCOMPARE(clicks.size(), 1);
        QCOMPARE(clicks.first().first().toInt(), 3);
        QCOMPARE(column_->value(3), 2);
    }

    void puttingValueRaisesNothing() {
        QSignalSpy clicks(column_, &CheckArray::Click);
        QSignalSpy events(column_, &CheckArray::eventRaised);
        column_->setValue(5, 3);
        column_->putProperty(CheckArray::DispValue, 2, {6});
        QCOMPARE(column_->value(5), 3);
        QCOMPARE(column_->value(6), 2);
        QCOMPARE(column_->cell(5)->faceColor(), qRgb(192, 0, 0));
        QCOMPARE(clicks.size(), 0);
        QCOMPARE(events.size(), 0);
    }

    void rowsOutsideNameNoCell() {
        column_->setValue(0, 3);
        column_->setValue(19, 3);
        QCOMPARE(column_->value(0), 0);
        QCOMPARE(column_->value(19), 0);
        QCOMPARE(column_->value(-1), 0);
        QCOMPARE(column_->cell(0)->value(), 0);
    }

    void lateBoundClickCarriesTheRow() {
        QSignalSpy events(column_, &CheckArray::eventRaised);
        perform(Gesture::LeftClick, 9);
        QCOMPARE(events.size(), 1);
        QCOMPARE(events.first().at(0).toInt(), int(CheckArray::EventClick));
        QCOMPARE(events.first().at(1).toList(), QVariantList{9});
    }

    void dispatchReachesValueAndRowCount() {
        column_->putProperty(CheckArray::DispValue, 3, {2});
        QCOMPARE(column_->getProperty(CheckArray::DispValue, {2}).toInt(), 3);
        QCOMPARE(column_->getProperty(CheckArray::DispNElements).toInt(), 18);
        column_->putProperty(CheckArray::DispNElements, QVariant("4"));
        QCOMPARE(column_->nElements(), 4);
        QCOMPARE(column_->getProperty(CheckArray::DispValue, {2}).toInt(), 0);
    }

    void dispatchErrors_data() {
        QTest::addColumn<int>("dispid");
        QTest::addColumn<QVariantList>("index");
        QTest::addColumn<QVariant>("put");  // invalid: a get
        QTest::addColumn<hosting::HRESULT>("error");
        QTest::newRow("row 0") << 1 << QVariantList{0} << QVariant() << hosting::DISP_E_BADINDEX;
        QTest::newRow("row 19") << 1 << QVariantList{19} << QVariant(1) << hosting::DISP_E_BADINDEX;
        QTest::newRow("no row") << 1 << QVariantList{} << QVariant()
                                << hosting::DISP_E_BADPARAMCOUNT;
        QTest::newRow("row as text")
            << 1 << QVariantList{"x"} << QVariant() << hosting::DISP_E_TYPEMISMATCH;
        QTest::newRow("level too big")
            << 1 << QVariantList{1} << QVariant(40000) << hosting::DISP_E_OVERFLOW;
        QTest::newRow("rows too big")
            << 2 << QVariantList{} << QVariant(40000) << hosting::DISP_E_OVERFLOW;
        QTest::newRow("rows with index")
            << 2 << QVariantList{1} << QVariant(3) << hosting::DISP_E_BADPARAMCOUNT;
        QTest::newRow("unknown") << 3 << QVariantList{} << QVariant()
                                 << hosting::DISP_E_MEMBERNOTFOUND;
    }
    void dispatchErrors() {
        QFETCH(int, dispid);
        QFETCH(QVariantList, index);
        QFETCH(QVariant, put);
        QFETCH(hosting::HRESULT, error);
        QCOMPARE(hosting::resultOf([&] {
                     if (put.isValid())
                         column_->putProperty(dispid, put, index);
                     else
                         column_->getProperty(dispid, index);
                 }),
                 error);
        QCOMPARE(column_->nElements(), 18);
        QCOMPARE(hosting::resultOf([&] { column_->invoke(dispid); }),
                 hosting::DISP_E_MEMBERNOTFOUND);
    }

    void savingWritesTheRowCount() {
        column_->setNElements(12);
        PropertyBag bag;
        column_->saveProperties(bag);
        QCOMPARE(bag.names(), QStringList{"nElements"});
        QCOMPARE(bag.read<int>("nElements", 0), 12);
    }

    void loadingReadsTheRowCount_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("rows");
        QTest::newRow("missing") << QString() << QVariant() << 18;
        QTest::newRow("5") << "nElements" << QVariant(5) << 5;
        QTest::newRow("lower case") << "nelements" << QVariant(7) << 7;
        QTest::newRow("0") << "nElements" << QVariant(0) << 1;
        QTest::newRow("too many") << "nElements" << QVariant(500) << 136;
        QTest::newRow("not a number") << "nElements" << QVariant("many") << 18;
    }
    void loadingReadsTheRowCount() {
        QFETCH(QString, name);
        QFETCH(QVariant, stored);
        QFETCH(int, rows);
        column_->setNElements(3);
        column_->setValue(1, 2);
        PropertyBag bag;
        if (!name.isEmpty()) bag.write(name, stored);
        column_->loadProperties(bag);
        QCOMPARE(column_->nElements(), rows);
        QCOMPARE(column_->value(1), 0);
        QCOMPARE(twipsOf(column_).height(), rows * 240.0);
    }

    void newColumnTakes18Rows() {
        column_->setNElements(4);
        column_->initNew();
        QCOMPARE(column_->nElements(), 18);
    }

    void containerMayReshapeTheColumnFromItsClick() {
        connect(column_, &CheckArray::Click, column_, [this] { column_->setNElements(4); });
        perform(Gesture::LeftClick, 10);
        QCOMPARE(column_->nElements(), 4);
        QCOMPARE(column_->findChildren<Tapcell*>().size(), 5);
    }

    void containerMayDestroyTheColumnFromItsClick() {
        QPointer<CheckArray> column(column_);
        connect(column_, &CheckArray::Click, column_, [this] { delete column_; });
        perform(Gesture::DoubleClick, 2);
        QVERIFY(column.isNull());
    }

private:
    void perform(Gesture gesture, int row) {
        const Tapcell* cell = column_->cell(row);
        const QPoint at = cell->mapTo(window_.get(), cell->rect().center());
        QWindow* window = window_->windowHandle();
        switch (gesture) {
            case Gesture::LeftClick:
                return QTest::mouseClick(window, Qt::LeftButton, {}, at);
            case Gesture::RightClick:
                return QTest::mouseClick(window, Qt::RightButton, {}, at);
            case Gesture::DoubleClick:
                return QTest::mouseDClick(window, Qt::LeftButton, {}, at);
            case Gesture::RightDoubleClick:
                return QTest::mouseDClick(window, Qt::RightButton, {}, at);
        }
    }

    std::unique_ptr<QWidget> window_;
    CheckArray* column_ = nullptr;
};

QTEST_MAIN(TstCheckArray)
#include "tst_checkarray.moc"
