#include "pattern/commandlinedocument.h"
#include "pattern/instrumentlist.h"
#include "shared/numericvalue.h"
#include "system/fieldreader.h"
#include "tempprogramfolder.h"

#include <QTest>

// The text rules of the pattern fields, the instrument list and the command line.
class TstPatternParsing : public QObject {
    Q_OBJECT

private slots:
    void numericValue_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("plain") << "16" << 16.0;
        QTest::newRow("leading blanks") << "   120" << 120.0;
        QTest::newRow("trailing text") << "100 BPM" << 100.0;
        QTest::newRow("trailing blank") << "100 " << 100.0;
        QTest::newRow("fraction") << "7.5" << 7.5;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("trailing point") << "5." << 5.0;
        QTest::newRow("negative") << "-3" << -3.0;
        QTest::newRow("plus") << "+4" << 4.0;
        QTest::newRow("exponent") << "1.5e2x" << 150.0;
        QTest::newRow("exponent without digits") << "3e" << 3.0;
        QTest::newRow("exponent sign only") << "3e+" << 3.0;
        QTest::newRow("no number") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("sign only") << "-" << 0.0;
        QTest::newRow("point only") << "." << 0.0;
        QTest::newRow("comma is no decimal point") << "2,5" << 2.0;
        QTest::newRow("overflow") << "1e999" << 0.0;
        QTest::newRow("non-ASCII digits") << QString::fromUtf8("٣") << 0.0;
    }
    void numericValue() {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(::numericValue(text), expected);
    }

    void shortestDecimal_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("16") << 16.0 << "16";
        QTest::newRow("12") << 12.0 << "12";
        QTest::newRow("0") << 0.0 << "0";
        QTest::newRow("minus 0") << -0.0 << "0";
        QTest::newRow("7.5") << 7.5 << "7.5";
        QTest::newRow("negative") << -12.0 << "-12";
        QTest::newRow("tenth") << 0.1 * 3 << "0.30000000000000004";
        QTest::newRow("a million, no exponent") << 1e6 << "1000000";
        QTest::newRow("tiny, no exponent") << 1e-7 << "0.0000001";
    }
    void shortestDecimal() {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(::shortestDecimal(value), expected);
        QCOMPARE(::numericValue(::shortestDecimal(value)), value == 0 ? 0.0 : value);
    }

    void fieldReader_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<bool>("atEndAfter");
        QTest::newRow("record") << "Kick, 36\r\n" << QStringList{"Kick", "36"} << true;
        QTest::newRow("quoted with comma") << "\"Tom, tief\",45\r\n"
                                           << QStringList{"Tom, tief", "45"} << true;
        QTest::newRow("blanks trimmed") << "  Ride Bell  ,  53  \n"
                                        << QStringList{"Ride Bell", "53"} << true;
        QTest::newRow("cells line with trailing comma") << " 2 , 0 , 1 ,\r\n"
                                                        << QStringList{"2", "0", "1", ""} << true;
        QTest::newRow("trailing comma at end of text")
            << "1,2," << QStringList{"1", "2", ""} << true;
        QTest::newRow("blank lines hold no field") << "a\r\n\r\n  \r\nb\r\n\r\n"
                                                   << QStringList{"a", "b"} << true;
        QTest::newRow("unterminated quote") << "\"abc" << QStringList{"abc"} << true;
        QTest::newRow("text after closing quote dropped")
            << "\"ab\"cd,e" << QStringList{"ab", "e"} << true;
        QTest::newRow("empty fields between commas") << ",,x" << QStringList{"", "", "x"} << true;
    }
    void fieldReader() {
        QFETCH(QString, text);
        QFETCH(QStringList, fields);
        QFETCH(bool, atEndAfter);
        sys::FieldReader reader(text);
        QStringList read;
        QString field;
        while (reader.read(&field)) read << field;
        QCOMPARE(read, fields);
        QCOMPARE(reader.atEnd(), atEndAfter);
    }

    void decodesUtf8AndWindowsText() {
        QCOMPARE(sys::FieldReader::decode("Gr\xc3\xbc\xc3\x9f"), QString::fromUtf8("Grüß"));
        QCOMPARE(sys::FieldReader::decode("Gr\xfc\xdf"), QString::fromUtf8("Grüß"));
    }

    void instrumentList_data() {
        QTest::addColumn<QByteArray>("contents");  // null: no file
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("notes");
        QTest::addColumn<bool>("tooMany");
        QByteArray four = "Kick,36\r\nSnare,38\r\n\"Tom, hoch\",50\r\nRide,51\r\n";
        QTest::newRow("fewer than rows")
            << four << QStringList{"Kick", "Snare", "Tom, hoch", "Ride"}
            << QStringList{"36", "38", "50", "51"} << false;
        QTest::newRow("exactly the rows") << QByteArray("A,1\r\nB,2\r\nC,3\r\nD,4\r\nE,5\r\n")
                                          << QStringList{"A", "B", "C", "D", "E"}
                                          << QStringList{"1", "2", "3", "4", "5"} << false;
        QTest::newRow("one too many")
            << QByteArray("A,1\r\nB,2\r\nC,3\r\nD,4\r\nE,5\r\nF,6\r\n")
            << QStringList{"A", "B", "C", "D", "E"} << QStringList{"1", "2", "3", "4", "5"} << true;
        QTest::newRow("long name cut to 25")
            << QByteArray("123456789012345678901234567890,36")
            << QStringList{"1234567890123456789012345"} << QStringList{"36"} << false;
        QTest::newRow("missing file")
            << QByteArray() << QStringList{""} << QStringList{""} << false;
        QTest::newRow("empty file")
            << QByteArray("") << QStringList{""} << QStringList{""} << false;
        QTest::newRow("truncated record keeps the last note")
            << QByteArray("Kick,36\r\nSnare") << QStringList{"Kick", "Snare"}
            << QStringList{"36", "36"} << false;
    }
    void instrumentList() {
        QFETCH(QByteArray, contents);
        QFETCH(QStringList, names);
        QFETCH(QStringList, notes);
        QFETCH(bool, tooMany);
        TempProgramFolder folder;
        folder.removeFile("Instrumentation.txt");
        if (!contents.isNull()) folder.writeFile("Instrumentation.txt", contents);
        const InstrumentList list = InstrumentList::read(folder.filePath("Instrumentation.txt"), 5);
        QStringList readNames, readNotes;
        for (const auto& row : list.rows) {
            readNames << row.name;
            readNotes << row.note;
        }
        QCOMPARE(readNames, names);
        QCOMPARE(readNotes, notes);
        QCOMPARE(list.tooMany, tooMany);
    }

    void shippedInstrumentListFillsEighteenRows() {
        TempProgramFolder folder;
        const InstrumentList list =
            InstrumentList::read(folder.filePath("Instrumentation.txt"), 18);
        QCOMPARE(list.rows.size(), 18);
        QVERIFY(!list.tooMany);
        QSet<QString> notes;
        for (const auto& row : list.rows) {
            QVERIFY(!row.name.isEmpty() && row.name.size() <= 25);
            const int note = row.note.toInt();
            QVERIFY2(note >= 35 && note <= 81, qPrintable(row.note));  // the drum-kit notes
            notes << row.note;
        }
        QCOMPARE(notes.size(), 18);
        QCOMPARE(list.rows[0].note, QStringLiteral("36"));  // the kick on top
    }

    void commandLineDocument_data() {
        QTest::addColumn<QString>("raw");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("path");
        QTest::newRow("quoted pattern")
            << "\"/home/a b/Groove.drm\"" << int(CommandLineDocument::Pattern)
            << "/home/a b/Groove.drm";
        QTest::newRow("quoted song")
            << "\"/x/Song.dsg\"" << int(CommandLineDocument::Song) << "/x/Song.dsg";
        QTest::newRow("unquoted") << "/x/Groove.drm" << int(CommandLineDocument::None) << "";
        QTest::newRow("upper-case ending")
            << "\"/x/GROOVE.DRM\"" << int(CommandLineDocument::None) << "";
        QTest::newRow("other ending") << "\"/x/a.txt\"" << int(CommandLineDocument::None) << "";
        QTest::newRow("single quote character") << "\"" << int(CommandLineDocument::None) << "";
        QTest::newRow("empty") << "" << int(CommandLineDocument::None) << "";
        QTest::newRow("two quoted arguments take the whole text")
            << "\"a.drm\" \"b.drm\"" << int(CommandLineDocument::Pattern) << "a.drm\" \"b.drm";
    }
    void commandLineDocument() {
        QFETCH(QString, raw);
        QFETCH(int, kind);
        QFETCH(QString, path);
        const CommandLineDocument document = CommandLineDocument::parse(raw);
        QCOMPARE(int(document.kind), kind);
        QCOMPARE(document.path, path);
    }
};

QTEST_MAIN(TstPatternParsing)
#include "tst_patternparsing.moc"
