#include "hosting/propertybag.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using hosting::PropertyBag;

class TstPropertyBag : public QObject {
    Q_OBJECT

private slots:
    void namesMatchWithoutCase_data() {
        QTest::addColumn<QString>("asked");
        QTest::newRow("same") << "Background1Light";
        QTest::newRow("lower") << "background1light";
        QTest::newRow("upper") << "BACKGROUND1LIGHT";
    }
    void namesMatchWithoutCase() {
        QFETCH(QString, asked);
        PropertyBag bag;
        bag.write("Background1Light", 8454016.0);
        QVERIFY(bag.contains(asked));
        QCOMPARE(bag.read<double>(asked, -1), 8454016.0);
    }

    void writingAgainReplacesInPlace() {
        PropertyBag bag;
        bag.write("Value", 1);
        bag.write("nElements", 18);
        bag.write("VALUE", 3);
        QCOMPARE(bag.names(), (QStringList{"VALUE", "nElements"}));
        QCOMPARE(bag.read<int>("value", 0), 3);
        bag.remove("value");
        QCOMPARE(bag.names(), QStringList{"nElements"});
    }

    void typedReadFallsBackToDefault_data() {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("missing") << QVariant() << 18;
        QTest::newRow("not a number") << QVariant("abc") << 18;
        QTest::newRow("numeric text") << QVariant("12") << 12;
        QTest::newRow("whole number") << QVariant(7) << 7;
        QTest::newRow("half to even") << QVariant(2.5) << 2;
        QTest::newRow("too large") << QVariant(3e9) << 18;
        QTest::newRow("too small") << QVariant(-3e9) << 18;
        QTest::newRow("largest") << QVariant(2147483647.0) << 2147483647;
        QTest::newRow("rounds beyond") << QVariant(2147483647.6) << 18;
        QTest::newRow("not a number") << QVariant(qQNaN()) << 18;
    }
    void typedReadFallsBackToDefault() {
        QFETCH(QVariant, stored);
        QFETCH(int, expected);
        PropertyBag bag;
        if (stored.isValid()) bag.write("nElements", stored);
        QCOMPARE(bag.read<int>("nElements", 18), expected);
    }

    void fileRoundTripKeepsTypesAndOrder() {
        QTemporaryDir dir;
        PropertyBag bag;
        bag.write("Value", 5);
        bag.write("background0unpressed", 8454016.5);
        bag.write("Big", qint64(1) << 40);
        bag.write("Enabled", true);
        bag.write("Caption", QStringLiteral("Fußpedal \"1\"\n"));
        const QString path = dir.filePath("bag.json");
        QVERIFY(bag.saveToFile(path));

        PropertyBag loaded;
        QVERIFY(loaded.loadFromFile(path));
        QCOMPARE(loaded.names(), bag.names());
        for (const QString& name : bag.names()) {
            QCOMPARE(loaded.read(name).typeId(), bag.read(name).typeId());
            QCOMPARE(loaded.read(name), bag.read(name));
        }
    }

    void failedLoadKeepsEntries_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("missing file") << QByteArray();
        QTest::newRow("not json") << QByteArray("Value=3\n");
        QTest::newRow("other json") << QByteArray(R"({"entries": []})");
        QTest::newRow("array") << QByteArray("[1, 2]");
    }
    void failedLoadKeepsEntries() {
        QFETCH(QByteArray, contents);
        QTemporaryDir dir;
        const QString path = dir.filePath("bag.json");
        if (!contents.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(contents);
        }
        PropertyBag bag;
        bag.write("nElements", 12);
        QVERIFY(!bag.loadFromFile(path));
        QCOMPARE(bag.read<int>("nElements", 0), 12);
    }

    void malformedEntriesAreSkipped() {
        QTemporaryDir dir;
        const QString path = dir.filePath("bag.json");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(R"({"format": "beatloft-property-bag", "entries": [
            {"name": "Value", "int": 2}, {"int": 3}, {"name": "Odd"}, 7,
            {"name": "value", "int": 1}]})");
        file.close();
        PropertyBag bag;
        QVERIFY(bag.loadFromFile(path));
        QCOMPARE(bag.names(), QStringList{"value"});
        QCOMPARE(bag.read<int>("Value", 0), 1);
    }

    void saveToUnwritablePathFails() {
        QTemporaryDir dir;
        QFile blocker(dir.filePath("file"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        PropertyBag bag;
        bag.write("Value", 1);
        QVERIFY(!bag.saveToFile(dir.filePath("file/bag.json")));
    }
};

QTEST_MAIN(TstPropertyBag)
#include "tst_propertybag.moc"
