#include "system/desktopentry.h"
#include "system/mimeappslist.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// Starts copies of the real program with the user's folders in a temporary folder and
// asks the desktop's own tools what the start registered.
class TstDocumentTypes : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;

    QString path(const QString& name) const { return dir_->filePath(name); }
    QByteArray read(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void write(const QString& name, const QByteArray& contents) const {
        QDir().mkpath(QFileInfo(path(name)).path());
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size());
    }
    QString execLine() const {
        static const QRegularExpression exec("^Exec=(.*)$", QRegularExpression::MultilineOption);
        return exec.match(read("data/applications/beatloft.desktop")).captured(1);
    }
    QProcessEnvironment environment(const QString& dataHome) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"BEATLOFT_MIDI_BACKENDS", "XDG_CURRENT_DESKTOP",
                                 "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"})
            env.remove(name);
        env.insert("XDG_DATA_HOME", path(dataHome));
        env.insert("XDG_CONFIG_HOME", path("config"));
        env.insert("BEATLOFT_QUIT_AFTER_START", "1");
        return env;
    }
    // The program copied into folder and started once; returns where it lies.
    QString start(const QString& folder, const QString& dataHome = "data") const {
        const QString program = path(folder) + "/beatloft";
        QDir().mkpath(path(folder));
        if (!QFile::exists(program)) QFile::copy(BEATLOFT_PROGRAM, program);
        QProcess process;
        QProcessEnvironment env = environment(dataHome);
        env.insert("XDG_RUNTIME_DIR", path("run"));
        process.setProcessEnvironment(env);
        process.start(program, {});
        const bool ended = process.waitForFinished(30000);
        return ended && process.exitCode() == 0 ? program : QString();
    }
    QString tool(const QString& program, const QStringList& arguments) const {
        QProcess process;
        process.setProcessEnvironment(environment("data"));
        process.start(program, arguments);
        process.waitForFinished(10000);
        return QString::fromUtf8(process.readAll()).trimmed();
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QDir().mkpath(path("run"));
        QFile::setPermissions(path("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void execProgram_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("exec");
        QTest::newRow("plain") << "/opt/bl/beatloft"
                               << "/opt/bl/beatloft";
        QTest::newRow("blank") << "/a b/beatloft"
                               << "\"/a b/beatloft\"";
        QTest::newRow("escaped") << "/x$\"`/beatloft"
                                 << "\"/x\\\\$\\\\\"\\\\`/beatloft\"";
        QTest::newRow("backslash") << "/x\\y/b"
                                   << "\"/x\\\\\\\\y/b\"";
        QTest::newRow("percent") << "/100%/b"
                                 << "/100%%/b";
    }
    void execProgram() {
        QFETCH(QString, program);
        QFETCH(QString, exec);
        QCOMPARE(sys::DesktopEntry::execProgram(program), exec);
    }

    void withDefault_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        const QByteArray ours = "application/x-a=beatloft.desktop;\n";
        QTest::newRow("empty") << QByteArray() << "[Default Applications]\n" + ours;
        QTest::newRow("others kept") << QByteArray("[Default Applications]\nx/y=z;\n\n[B]\nc=d\n")
                                     << "[Default Applications]\nx/y=z;\n" + ours + "\n[B]\nc=d\n";
        QTest::newRow("replaced") << QByteArray("[Default Applications]\napplication/x-a=old;\nq=r")
                                  << "[Default Applications]\n" + ours + "q=r\n";
        QTest::newRow("other section only")
            << QByteArray("[Added Associations]\napplication/x-a=o;")
            << "[Added Associations]\napplication/x-a=o;\n\n"
               "[Default Applications]\n" +
                   ours;
    }
    void withDefault() {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QCOMPARE(sys::MimeAppsList::withDefault(before, "application/x-a", "beatloft.desktop"),
                 after);
    }

    void startRegisters_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QByteArray>("oldPackage");
        QTest::addColumn<bool>("quoted");
        QTest::newRow("plain folder") << "bin" << QByteArray() << false;
        QTest::newRow("blanks, broken package")
            << "mit Leer zeichen" << QByteArray("<mime-info><mi") << true;
    }
    void startRegisters() {
        QFETCH(QString, folder);
        QFETCH(QByteArray, oldPackage);
        QFETCH(bool, quoted);
        if (!oldPackage.isEmpty()) write("data/mime/packages/beatloft.xml", oldPackage);
        const QString program = start(folder);
        QVERIFY(!program.isEmpty());
        QCOMPARE(execLine(), (quoted ? '"' + program + '"' : program) + " %f");
        for (const char* type : {"application/x-beatloft-pattern", "application/x-beatloft-song"})
            QCOMPARE(tool("xdg-mime", {"query", "default", type}), QString("beatloft.desktop"));
        QCOMPARE(tool("desktop-file-validate", {path("data/applications/beatloft.desktop")}),
                 QString());
        QTRY_VERIFY_WITH_TIMEOUT(
            read("data/mime/globs2").contains("application/x-beatloft-song:*.dsg\n"), 10000);
    }

    void laterStartFromAnotherFolderMovesIt() {
        write("config/mimeapps.list", "[Default Applications]\ntext/plain=editor.desktop;\n");
        QVERIFY(!start("first").isEmpty());
        const QString later = start("second");
        QVERIFY(!later.isEmpty());
        QCOMPARE(execLine(), later + " %f");
        const QByteArray defaults = read("config/mimeapps.list");
        QVERIFY(defaults.contains("text/plain=editor.desktop;\n"));
        QCOMPARE(defaults.count("beatloft.desktop"), 2);
    }

    void unwritableDataFolderIsIgnored() {
        write("blocker", "a file where a folder would be");
        QVERIFY(!start("bin", "blocker/data").isEmpty());
        QVERIFY(!QFile::exists(path("blocker/data")));
    }
};

QTEST_MAIN(TstDocumentTypes)
#include "tst_documenttypes.moc"
