#include "includegraph.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTest>

using arch::Graph;

namespace {

const QString kSourceDir = QStringLiteral(BEATLOFT_SOURCE_DIR);

// "a.cpp > b.h <QWidget>; b.h > c.h" as a graph.
Graph planted(const QString& text) {
    Graph graph;
    for (const QString& entry : text.split(';')) {
        const QStringList sides = entry.split('>', Qt::KeepEmptyParts);
        const QString from = sides[0].trimmed();
        graph[from] += sides.mid(1).join('>').split(' ', Qt::SkipEmptyParts);
    }
    return graph;
}

// The headers of Qt include folders as they are included: <QWidget>, <QtWidgets/QWidget>.
QSet<QString> headersIn(const QStringList& folders) {
    QSet<QString> headers;
    for (const QString& folder : folders) {
        const QString module = QDir(folder).dirName();
        for (const QString& name : QDir(folder).entryList(QDir::Files))
            headers << '<' + name + '>' << '<' + module + '/' + name + '>';
    }
    return headers;
}

}  // namespace

class TstArchitecture : public QObject {
    Q_OBJECT

    Graph tree_;
    QString rulesText_;
    QSet<QString> widgetHeaders_;

private slots:
    void initTestCase() {
        widgetHeaders_ = headersIn({QT_WIDGETS_INCLUDE_DIR, QT_PRINTSUPPORT_INCLUDE_DIR});
        QVERIFY(widgetHeaders_.contains("<QWidget>") && widgetHeaders_.contains("<QPrinter>"));
        tree_ = arch::scanTree(kSourceDir, {"app", "platform", "midicontrols", "tapcell"},
                               {"app", "platform", "midicontrols", "tapcell", ""});
        QVERIFY(tree_.contains("app/form1.h"));
        for (auto it = tree_.cbegin(); it != tree_.cend(); ++it) {
            for (const QString& target : it.value())
                QVERIFY2(!target.startsWith('"'), qPrintable(it.key() + " includes " + target));
        }
        QFile rules(kSourceDir + "/tests/architecture/rules.txt");
        QVERIFY(rules.open(QIODevice::ReadOnly));
        rulesText_ = QString::fromUtf8(rules.readAll());
    }

    // Rule "cycles": the folders of app/ and of each library include each other without a
    // cycle. Rule "widget-free": app/shared and the model headers reach no widget header.
    // Rule "headless": app/cli reaches neither a widget header nor the main window.
    void layering_data() {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<Graph>("graph");
        QTest::addColumn<QString>("rules");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("one way") << "cycles"
                                 << planted(
                                        "lib/p/x.cpp > lib/q/y.h; lib/q/y.h > "
                                        "lib/r/z.h; lib/p/x.h > lib/p/w.h")
                                 << "" << QStringList{};
        QTest::newRow("planted cycle")
            << "cycles" << planted("lib/p/x.cpp > lib/p/x.h lib/q/y.h; lib/q/y.cpp > lib/p/x.h")
            << ""
            << QStringList{
                   "cycle lib/p -> lib/q -> lib/p: lib/p/x.cpp includes lib/q/y.h; "
                   "lib/q/y.cpp includes lib/p/x.h"};
        QTest::newRow("file pairs in app/ are nodes")
            << "cycles" << planted("app/form1.cpp > app/shared/a.h; app/shared/a.cpp > app/form1.h")
            << ""
            << QStringList{
                   "cycle app/form1 -> app/shared -> app/form1: app/form1.cpp "
                   "includes app/shared/a.h; app/shared/a.cpp includes app/form1.h"};
        QTest::newRow("widget header through a project header")
            << "widget-free"
            << planted(
                   "app/shared/a.h > <QString> app/shared/b.h; "
                   "app/shared/b.h > <QtWidgets/QLineEdit>")
            << "widget-free app/shared"
            << QStringList{"widget-free: app/shared/a.h > app/shared/b.h > <QtWidgets/QLineEdit>",
                           "widget-free: app/shared/b.h > <QtWidgets/QLineEdit>"};
        QTest::newRow("print support, missing file skipped")
            << "widget-free" << planted("app/song/song.h > <QColor> <QPrinter>")
            << "widget-free app/song/song.h\nwidget-free app/pattern/pattern.h"
            << QStringList{"widget-free: app/song/song.h > <QPrinter>"};
        QTest::newRow("main window")
            << "headless" << planted("app/cli/run.cpp > app/cli/run.h app/form1.h")
            << "headless app/cli" << QStringList{"headless: app/cli/run.cpp > app/form1.h"};
        QTest::newRow("exceptions")
            << "headless"
            << planted("app/cli/run.cpp > app/form1.h; app/cli/list.cpp > <QCoreApplication>")
            << "headless app/cli\nexcept headless app/cli/run.cpp\n"
               "except headless app/cli/list.cpp"
            << QStringList{
                   "headless: app/cli/list.cpp no longer breaks the rule; remove its exception"};

        for (const QString rule : {"cycles", "widget-free", "headless"})
            QTest::newRow(qPrintable("tree: " + rule))
                << rule << tree_ << rulesText_ << QStringList{};
    }
    void layering() {
        QFETCH(QString, rule);
        QFETCH(Graph, graph);
        QFETCH(QString, rules);
        QFETCH(QStringList, expected);
        const arch::NodeTest forbidden = [&](const QString& node) {
            return widgetHeaders_.contains(node) || (rule == "headless" && node == "app/form1.h");
        };
        const QStringList found = rule == "cycles"
                                      ? arch::folderCycles(graph)
                                      : arch::ruleViolations(graph, rules, rule, forbidden);
        if (found != expected) qWarning().noquote() << "\n" + found.join('\n');
        QCOMPARE(found, expected);
    }
};

QTEST_GUILESS_MAIN(TstArchitecture)
#include "tst_architecture.moc"
