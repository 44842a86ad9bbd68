#include "settingssandbox.h"
#include "system/boundedread.h"
#include "system/programfolder.h"
#include "system/runtimefolder.h"
#include "system/settingsstore.h"
#include "system/singleinstance.h"
#include "tempprogramfolder.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

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

    void runtimeFolderIsPrivate_data() {
        QTest::addColumn<QString>("found");  // what stands at the fixed path before
        QTest::newRow("nothing") << "";
        QTest::newRow("own private folder") << "0700";
        QTest::newRow("open to others") << "0755";
        QTest::newRow("link to a private folder") << "link";
        if (::geteuid() == 0) QTest::newRow("another user's") << "nobody";
    }
    void runtimeFolderIsPrivate() {
        QFETCH(QString, found);
        QTemporaryDir temp;
        const QByteArray savedTemp = qgetenv("TMPDIR"), savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        qunsetenv("XDG_RUNTIME_DIR");
        const QByteArray fixed = QFile::encodeName(sys::RuntimeFolder::fixedPath());
        if (found == "link") QVERIFY(QFile::link(temp.path(), fixed));
        if (found.startsWith('0') || found == "nobody") ::mkdir(fixed, 0700);
        ::chmod(fixed, found == "0755" ? 0755 : 0700);
        if (found == "nobody") QCOMPARE(::chown(fixed, 65534, 65534), 0);
        sys::RuntimeFolder::ensure();
        const QByteArray chosen = qgetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", savedTemp);
        qputenv("XDG_RUNTIME_DIR", savedRuntime);
        QCOMPARE(chosen == fixed, found.isEmpty() || found == "0700");
        struct stat info {};
        QCOMPARE(::lstat(chosen, &info), 0);
        QVERIFY(S_ISDIR(info.st_mode) && info.st_uid == ::getuid() &&
                (info.st_mode & 0777) == 0700);
    }

    // The first instance holds its lock for as long as it lives; a lock file left behind by an
    // instance that ended (or crashed) holds nothing.
    void singleInstanceHoldsTheLockWhileItLives() {
        QTemporaryDir runtime;
        const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        QFile leftBehind(runtime.filePath(QStringLiteral("probe.lock")));
        QVERIFY(leftBehind.open(QIODevice::WriteOnly));
        leftBehind.write("4194304\nBeatloft\nelsewhere\n");
        leftBehind.close();
        bool firstSeesAnother = true, secondSeesAnother = false;
        {
            const sys::SingleInstance first(QStringLiteral("probe"));
            const sys::SingleInstance second(QStringLiteral("probe"));
            firstSeesAnother = first.isAnotherRunning();
            secondSeesAnother = second.isAnotherRunning();
        }
        const bool laterSeesAnother =
            sys::SingleInstance(QStringLiteral("probe")).isAnotherRunning();
        qputenv("XDG_RUNTIME_DIR", savedRuntime);
        QVERIFY(!firstSeesAnother);
        QVERIFY(secondSeesAnother);
        QVERIFY(!laterSeesAnother);
    }

    void freshRuntimeFolderGoesAtExit() {
        QTemporaryDir temp;
        const QString fixed = "beatloft-runtime-" + QString::number(::getuid());
        QFile blocker(temp.filePath(fixed));  // a file where the fixed folder would be
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        QProcess run;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("XDG_RUNTIME_DIR");
        env.insert("TMPDIR", temp.path());
        run.setProcessEnvironment(env);
        run.start(BEATLOFT_PROGRAM,
                  {"--export-midi", BEATLOFT_SOURCE_DATA_DIR "/Std.drm", temp.filePath("std.mid")});
        QVERIFY(run.waitForFinished(30000));
        QCOMPARE(run.exitCode(), 0);
        QCOMPARE(QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 (QStringList{fixed, "std.mid"}));
    }

    void usersOwnFolder_data() {
        QTest::addColumn<QString>("folder");  // below a temporary folder
        QTest::addColumn<bool>("nobodys");    // owned by the user nobody
        QTest::addColumn<bool>("own");
        QTest::newRow("build tree") << "build/bin" << false << true;
        QTest::newRow("install tree") << "usr/share/beatloft" << false << false;
        QTest::newRow("a folder named beatloft") << "src/beatloft" << false << true;
        if (::geteuid() == 0) QTest::newRow("another user's") << "opt/bl" << true << false;
    }
    void usersOwnFolder() {
        QFETCH(QString, folder);
        QFETCH(bool, nobodys);
        QFETCH(bool, own);
        QTemporaryDir temp;
        const QString path = temp.filePath(folder);
        QVERIFY(QDir().mkpath(path));
        if (nobodys) QCOMPARE(::chown(QFile::encodeName(path), 65534, 65534), 0);
        QCOMPARE(sys::ProgramFolder::isUsersOwn(path), own);
    }

    void settingsLandInTheSandbox() {
        SettingsSandbox sandbox;
        QCOMPARE(sys::SettingsStore::value("Options", "Versionsprüfung", 7).toInt(), 7);
        sys::SettingsStore::setValue("Options", "Versionsprüfung", 2);
        QCOMPARE(sys::SettingsStore::value("Options", "Versionsprüfung").toInt(), 2);
        QVERIFY(QFile::exists(sandbox.configPath() + "/Beatloft/Beatloft.ini"));
    }

    void readsAtMostItsCap_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("most");
        QTest::newRow("empty") << 0 << 10;
        QTest::newRow("under the cap") << 300 << 1000;
        QTest::newRow("cap reached") << 1000 << 1000;
        QTest::newRow("over the cap") << 1001 << 1000;
        QTest::newRow("several chunks") << 200000 << (1 << 20);
        QTest::newRow("cut inside a chunk") << 200000 << 70000;
    }
    void readsAtMostItsCap() {
        QFETCH(int, size);
        QFETCH(int, most);
        QByteArray data(size, 0);
        for (int i = 0; i < size; ++i) data[i] = char(i * 7);
        QBuffer device(&data);
        device.open(QIODevice::ReadOnly);
        QCOMPARE(sys::readAtMost(device, most), data.left(most));
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
