#include "beatloft.h"
#include "form1.h"
#include "formfixture.h"
#include "pattern/instrumentrows.h"
#include "pattern/patternreader.h"
#include "shell/chartpainter.h"
#include "shell/chartprint.h"
#include "shell/drumchart.h"
#include "song/song.h"
#include "tempprogramfolder.h"
#include "views/mainmenubar.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QHash>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

Q_DECLARE_METATYPE(Pattern)

// The drum chart as its pages show it: per instrument line the steps and kinds of its
// symbols, each on the line its name labels, the systems wrapping onto further pages.
class TstDrumChart : public QObject {
    Q_OBJECT

    static Pattern standardPattern() {
        TempProgramFolder folder;
        Pattern pattern = InstrumentRows::startPattern();
        QByteArray bytes;
        PatternReader::readBytes(BEATLOFT_SOURCE_DATA_DIR "/Std.drm", &bytes);
        PatternReader(bytes, false, true).read(&pattern);
        return pattern;
    }
    // 16 beats of 4 steps: the snare strong on every second beat, the ride normal at 33 and
    // light at 64; with `all`, every cell of all 18 rows over 256 steps, strong.
    static Pattern longPattern(bool all) {
        TempProgramFolder folder;
        Pattern pattern = InstrumentRows::startPattern();
        pattern.setText(Pattern::Takt, all ? "64" : "16");
        for (int step = 1; step <= pattern.columns(); ++step)
            for (int row = 1; row <= pattern.rows(); ++row)
                if (all) pattern.setLevel(step, row, 3);
        if (all) return pattern;
        for (int step = 5; step <= 64; step += 8) pattern.setLevel(step, 2, 3);
        pattern.setLevel(33, 15, 2);
        pattern.setLevel(64, 15, 1);
        return pattern;
    }

    // "name step:kind ..." for each instrument line, in the order the symbols come.
    static QStringList lines(const DrumChart& chart) {
        QStringList names;
        QHash<QString, QString> symbols;
        for (const DrumChart::Page& page : chart.pages())
            for (const DrumChart::Symbol& s : page.symbols) {
                if (!symbols.contains(s.instrument)) names << s.instrument;
                symbols[s.instrument] += QStringLiteral(" %1:%2").arg(s.step).arg(s.kind);
            }
        QStringList result;
        for (const QString& name : names) result << name + symbols[name];
        return result;
    }

    static bool isDark(const QImage& image, QPointF mm, double pixelsPerMm) {
        return qGray(image.pixel((mm * pixelsPerMm).toPoint())) < 128;
    }

private slots:
    void symbolsPerInstrumentLine_data() {
        QTest::addColumn<Pattern>("pattern");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("pages");
        QTest::newRow("Std.drm") << standardPattern()
                                 << QStringList{"Bassdrum 1:0 9:0 11:3", "Snare 5:0 13:0",
                                                "Hi-Hat geschlossen 1:3 3:1 5:3 7:1 9:3 11:1 "
                                                "13:3 15:1"}
                                 << 1;
        QTest::newRow("64 steps") << longPattern(false)
                                  << QStringList{"Snare 5:0 13:0 21:0 29:0 37:0 45:0 53:0 61:0",
                                                 "Ride 33:3 64:1"}
                                  << 1;
        const Pattern all = longPattern(true);
        QStringList full;
        for (const Instrument& row : all.instruments()) {
            QString line = row.name;
            for (int step = 1; step <= 256; ++step) line += QStringLiteral(" %1:0").arg(step);
            full << line;
        }
        QTest::newRow("256 steps, 18 lines") << all << full << 4;
    }
    void symbolsPerInstrumentLine() {
        QFETCH(Pattern, pattern);
        QFETCH(QStringList, expected);
        QFETCH(int, pages);
        const DrumChart chart = DrumChart::of(pattern.name(), {ChartSection::ofPattern(pattern)});
        QCOMPARE(chart.pages().size(), pages);
        std::sort(expected.begin(), expected.end());
        QStringList found = lines(chart);
        std::sort(found.begin(), found.end());
        QCOMPARE(found, expected);
        // 32 steps a system, 5 mm apart, each symbol on the line its name labels.
        const double left = DrumChart::kMargin + DrumChart::kNames;
        for (const DrumChart::Page& page : chart.pages())
            for (const DrumChart::Symbol& s : page.symbols) {
                QCOMPARE(s.at.x(), left + ((s.step - 1) % 32 + 0.5) * 5);
                const bool labelled = std::any_of(
                    page.texts.begin(), page.texts.end(), [&](const DrumChart::Text& t) {
                        return t.role == DrumChart::Text::Name && t.text == s.instrument &&
                               qAbs(t.at.y() - s.at.y() - 1.2) < 1e-9;
                    });
                QVERIFY2(labelled, qPrintable(s.instrument));
            }
    }

    // A strong cell prints as a filled disc, a normal one as a circle with a cross, a light
    // one as an open circle.
    void pagePaintsTheSymbols() {
        const DrumChart chart = DrumChart::of("Rock", {ChartSection::ofPattern(standardPattern())});
        constexpr double scale = 20;
        const QImage image = ChartPainter::image(chart.pages().first(), scale);
        QStringList painted;
        for (const DrumChart::Symbol& s : chart.pages().first().symbols)
            painted << QStringLiteral("%1%2%3")
                           .arg(s.kind)
                           .arg(isDark(image, s.at, scale))
                           .arg(isDark(image, s.at + QPointF(0.6, 0), scale));
        painted.removeDuplicates();
        painted.sort();
        QCOMPARE(painted, (QStringList{"011", "100", "310"}));
    }

    // From the menu: the pattern on screen into the PDF the environment names, one sheet a
    // page; the song as its rows in order, with loops and tempo.
    void menuPrintsThePatternAndTheSong() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath("chart.pdf");
        qputenv("BEATLOFT_PRINT_TO_PDF", pdf.toLocal8Bit());
        FormFixture f;
        f.form().txtTakt->setText("64");
        f.form().Menus->MnuPrintChart->trigger();
        qunsetenv("BEATLOFT_PRINT_TO_PDF");
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QCOMPARE(QString::fromLatin1(bytes).count(QRegularExpression("/Type\\s*/Page\\b")), 1);

        f.editSong([](Song& song) {
            song.rows = 2;
            for (int row : {1, 2}) {
                song.store[row].Name = QStringLiteral("Teil %1").arg(row);
                song.store[row].Takt = 4;
                song.store[row].SubDivs = 4;
                song.store[row].BPM = qint16(100 + row);
                song.store[row].Loops = qint16(row + 2);
                song.store[row].setCell(1, row, 3);
            }
        });
        const DrumChart song = f.app().chartPrint().songChart();
        QStringList headings;
        for (const DrumChart::Text& text : song.pages()[0].texts)
            if (text.role == DrumChart::Text::Heading) headings << text.text;
        QCOMPARE(headings.size(), 2);
        QVERIFY(headings[0].startsWith("1. Teil 1 · 3×") && headings[0].endsWith("101 BPM"));
        QVERIFY(headings[1].startsWith("2. Teil 2 · 4×") && headings[1].endsWith("102 BPM"));
    }
};

QTEST_MAIN(TstDrumChart)
#include "tst_drumchart.moc"
