#include "settingssandbox.h"
#include "system/programfolder.h"
#include "system/settingsstore.h"
#include "tempprogramfolder.h"

#include <QFile>
#include <QTest>

class TstSystem : public QObject {
    Q_OBJECT

private slots:
    void rawCommandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");
        QTest::newRow("none") << QStringList{"beatloft"} << "";
        QTest::newRow("path with blanks")
            << QStringList{"beatloft", "/home/a b/Groove.drm"} << "\"/home/a b/Groove.drm\"";
        QTest::newRow("two") << QStringList{"beatloft", "x", "y"} << "\"x\" \"y\"";
    }
    void rawCommandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        QCOMPARE(sys::ProgramFolder::rawCommandLine(arguments), expected);
    }

    void settingsLandInTheSandbox() {
        SettingsSandbox sandbox;
        QCOMPARE(sys::SettingsStore::value("Options", "Versionsprüfung", 7).toInt(), 7);
        sys::SettingsStore::setValue("Options", "Versionsprüfung", 2);
        QCOMPARE(sys::SettingsStore::value("Options", "Versionsprüfung").toInt(), 2);
        QVERIFY(QFile::exists(sandbox.configPath() + "/Beatloft/Beatloft.ini"));
    }

    void tempProgramFolderIsTheProgramFolder() {
        QString path;
        {
            TempProgramFolder folder;
            path = folder.path();
            QCOMPARE(sys::ProgramFolder::path(), path);
            folder.writeFile("Instrumentation.txt", "Kick,36\r\n");
            QFile file(folder.filePath("Instrumentation.txt"));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), QByteArray("Kick,36\r\n"));
        }
        QVERIFY(sys::ProgramFolder::path() != path);
    }
};

QTEST_MAIN(TstSystem)
#include "tst_system.moc"
