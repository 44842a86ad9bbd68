#include "recordingopener.h"
#include "shell/info.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {
const QString kVersionHost = QStringLiteral("www.beatloft.example");
const QString kHomePage = QStringLiteral("https://www.beatloft.example/");

QColor textColour(const QWidget* widget) {
    return widget->palette().color(QPalette::WindowText);
}
}  // namespace

// The about box: its contents, its links and its life as one hidden instance.
class TstInfo : public QObject {
    Q_OBJECT

private slots:
    void contents() {
        Info info(kVersionHost, kHomePage);
        info.writeDescription();
        QCOMPARE(info.windowTitle(), QStringLiteral("Info Beatloft"));
        QVERIFY(!info.isVisible());
        QCOMPARE(info.Label4->text(), QStringLiteral("Beatloft Version 1.0.28"));
        QVERIFY(info.Label4->font().bold());
        QCOMPARE(info.Label4->font().pointSizeF(), 8.25);
        QCOMPARE(textColour(info.Label4), QColor(128, 0, 128));
        QCOMPARE(info.InfoText1->toPlainText(),
                 QStringLiteral("Programm zum Erstellen von Drum-Patterns"));
        QVERIFY(!info.InfoText1->font().bold());
        QCOMPARE(info.Label6->text(), QStringLiteral("Web:"));
        QCOMPARE(info.Label3->text(), kVersionHost);
        QCOMPARE(info.Label5->text(), QStringLiteral("EMail:"));
        QCOMPARE(info.Label2->text(), QStringLiteral("kontakt@beatloft.example"));
        for (const QLabel* link : {info.Label3, info.Label2}) {
            QVERIFY(link->font().underline());
            QCOMPARE(textColour(link), QColor(0, 0, 192));
        }
        QCOMPARE(info.Label1->font().pointSizeF(), 9.75);
        QVERIFY(!info.Label1->text().isEmpty());
        QVERIFY(!info.Picture1->pixmap().isNull());
        QCOMPARE(info.Command2->text(), QStringLiteral("zur Downloadseite"));
        QCOMPARE(info.Command1->text(), QStringLiteral("OK"));
    }

    void links_data() {
        QTest::addColumn<QString>("versionHost");
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("target");
        QTest::newRow("web host") << kVersionHost << "Label3"
                                  << "https://www.beatloft.example";
        QTest::newRow("contact") << kVersionHost << "Label2"
                                 << "mailto:kontakt@beatloft.example";
        QTest::newRow("credits") << kVersionHost << "Label1"
                                 << "https://www.beatloft.example/";
        QTest::newRow("download page") << kVersionHost << "Command2"
                                       << "https://www.beatloft.example/Downloads/";
        QTest::newRow("web host with port") << "127.0.0.1:8080"
                                            << "Label3"
                                            << "https://127.0.0.1:8080";
        QTest::newRow("download page with port") << "127.0.0.1:8080"
                                                 << "Command2"
                                                 << "https://127.0.0.1:8080/Downloads/";
        QTest::newRow("plain labels open nothing") << kVersionHost << "Label6"
                                                   << "";
    }
    void links() {
        QFETCH(QString, versionHost);
        QFETCH(QString, element);
        QFETCH(QString, target);
        RecordingOpener opener;
        Info info(versionHost, kHomePage);
        const QMap<QString, QWidget*> elements{{"Label1", info.Label1},
                                               {"Label2", info.Label2},
                                               {"Label3", info.Label3},
                                               {"Label6", info.Label6},
                                               {"Command2", info.Command2}};
        QTest::mouseClick(elements.value(element), Qt::LeftButton);
        QCOMPARE(opener.opened(), target.isEmpty() ? QStringList{} : QStringList{target});
    }

    // OK hides; showing again brings back the same window with the news still in it.
    void okHidesAndKeepsContents() {
        Info info(kVersionHost, kHomePage);
        info.writeDescription();
        info.showInfo();
        QVERIFY(info.isVisible());
        info.announce(
            QStringLiteral("Neuere Version 2.0.0 verfügbar!\r\nDie vorliegende "
                           "Version ist:\r\n1.0.28"));
        QTest::mouseClick(info.Command1, Qt::LeftButton);
        QVERIFY(!info.isVisible());
        info.showInfo();
        QVERIFY(info.isVisible());
        QCOMPARE(info.InfoText1->toPlainText(),
                 QStringLiteral("Neuere Version 2.0.0 verfügbar!\nDie vorliegende Version ist:\n"
                                "1.0.28"));
        QVERIFY(info.InfoText1->font().bold());
        QCOMPARE(info.InfoText1->palette().color(QPalette::Text), QColor(255, 0, 0));
    }
};

QTEST_MAIN(TstInfo)
#include "tst_info.moc"
