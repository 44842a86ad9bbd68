#include <QProcess>
#include <QTest>

// The program under a real screen-reader stack: a virtual display, the accessibility bus
// and its registry, the tree read by the AT-SPI client library. The script does the reading
// and the checks; its report is shown when one fails.
class TstScreenReader : public QObject {
    Q_OBJECT

private slots:
    void gridIsReadAndOperatedOverTheBus() {
        QProcess check;
        check.setProcessChannelMode(QProcess::MergedChannels);
        check.start(QStringLiteral(BEATLOFT_SCRIPTS_DIR "/screenreader-check"),
                    {QStringLiteral(BEATLOFT_PROGRAM)});
        QVERIFY2(check.waitForFinished(150000), "the check did not end");
        const QByteArray report = check.readAll();
        QVERIFY2(check.exitStatus() == QProcess::NormalExit && check.exitCode() == 0,
                 report.constData());
        QVERIFY(report.contains("288 cells named"));
    }
};

QTEST_MAIN(TstScreenReader)
#include "tst_screenreader.moc"
