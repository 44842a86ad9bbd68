#include "system/desktopentry.h"
#include "system/documenttypes.h"
#include "system/mimeappslist.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <future>

// Starts copies of the real program with the user's folders in a temporary folder and
// asks the desktop's own tools what the start registered.
class TstDocumentTypes : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    QByteArray errors_;  // what the last start said on stderr

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
        for (const char* name :
             {"BEATLOFT_MIDI_BACKENDS", "BEATLOFT_DESKTOP_REGISTRATION", "XDG_CURRENT_DESKTOP",
              "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"})
            env.remove(name);
        env.insert("XDG_DATA_HOME", path(dataHome));
        env.insert("XDG_CONFIG_HOME", path("config"));
        env.insert("BEATLOFT_QUIT_AFTER_START", "1");
        return env;
    }
    // The program copied into folder and started once; returns where it lies.
    QString start(const QString& folder, const QString& dataHome = "data") {
        const QString program = path(folder) + "/beatloft";
        QDir().mkpath(path(folder));
        if (!QFile::exists(program)) QFile::copy(BEATLOFT_PROGRAM, program);
        QProcess process;
        QProcessEnvironment env = environment(dataHome);
        env.insert("XDG_RUNTIME_DIR", path("run"));
        process.setProcessEnvironment(env);
        process.start(program, {});
        const bool ended = process.waitForFinished(30000);
        errors_ = process.readAllStandardError();
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

    // A program path is either written into an entry the desktop's validator takes, or
    // refused.
    void programPath_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<bool>("startable");
        QTest::newRow("quote and blank") << "/a b/x\"y/beatloft" << true;
        QTest::newRow("dollar, backquote, backslash") << "/x$`\\y/beatloft" << true;
        QTest::newRow("reserved") << "/a;b&c|d<e>f~g*h?i#j(k)'l/beatloft" << true;
        QTest::newRow("line break") << "/a\nb/beatloft" << false;
        QTest::newRow("tab") << "/a\tb/beatloft" << false;
        QTest::newRow("control character") << "/a\x01/beatloft" << false;
        QTest::newRow("delete") << "/a b\x7f/beatloft" << false;
        QTest::newRow("percent") << "/100%/beatloft" << false;
    }
    void programPath() {
        QFETCH(QString, program);
        QFETCH(bool, startable);
        if (QStandardPaths::findExecutable("desktop-file-validate").isEmpty())
            QSKIP("desktop-file-validate is not installed");
        if (sys::DesktopEntry::canStart(program)) {
            write("entry.desktop", sys::DesktopEntry::text(program, {"application/x-a"}));
            QCOMPARE(tool("desktop-file-validate", {path("entry.desktop")}), QString());
        }
        QCOMPARE(sys::DesktopEntry::canStart(program), startable);
    }

    // The menu shows the entry in German or English; its name is the same in both.
    void entryNamesItsLanguages() {
        const QStringList lines =
            QString::fromUtf8(sys::DesktopEntry::text("/x/beatloft", {})).split(u'\n');
        for (const char* line :
             {"Name=Beatloft", "Comment=Programm zum Erstellen von Drum-Patterns",
              "Comment[de]=Programm zum Erstellen von Drum-Patterns",
              "Comment[en]=Program for creating drum patterns",
              "GenericName[en]=Drum Pattern Editor"})
            QVERIFY2(lines.contains(QString::fromUtf8(line)), line);
        for (const QString& line : lines) QVERIFY2(!line.startsWith("Name["), qPrintable(line));
    }

    // The window reads its icon on a thread while it is built.
    void iconIsReadOnAThread() {
        auto icon = std::async(std::launch::async, &sys::DocumentTypes::iconImage);
        QCOMPARE(icon.get().size(), QSize(48, 48));
    }

    void pathThatCannotBeWrittenIsNotRegistered() {
        QVERIFY(!start("100%").isEmpty());
        QCOMPARE(errors_.count("nicht registriert"), 1);
        QVERIFY(!QFile::exists(path("data/applications")));
        QVERIFY(!QFile::exists(path("data/mime")));
    }

    // Something planted where the registration reads and writes: a link out of the user's
    // folders, a FIFO, a device. The start ends, the planted file stays as it was, and
    // nothing lands outside.
    void plantedFilesAreLeftAlone_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");  // link (to outside), fifo, zero (link), device
        for (const char* name :
             {"data/applications/beatloft.desktop", "data/icons/hicolor/scalable/apps/beatloft.svg",
              "data/mime/packages/beatloft.xml", "config/mimeapps.list", "data/applications",
              "data/mime", "data/icons/hicolor"})
            QTest::newRow(name) << name << "link";
        QTest::newRow("FIFO desktop entry") << "data/applications/beatloft.desktop"
                                            << "fifo";
        QTest::newRow("FIFO mimeapps.list") << "config/mimeapps.list"
                                            << "fifo";
        QTest::newRow("mimeapps.list to /dev/zero") << "config/mimeapps.list"
                                                    << "zero";
        if (::geteuid() == 0)
            QTest::newRow("device mimeapps.list") << "config/mimeapps.list"
                                                  << "device";
    }
    void plantedFilesAreLeftAlone() {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        write("outside/file", "unchanged");
        QDir().mkpath(QFileInfo(path(name)).path());
        const QByteArray planted = QFile::encodeName(path(name));
        if (kind == "link") {
            // A folder's link leads to the folder outside, a file's to the file there.
            QVERIFY(QFile::link(path(name.contains('.') ? "outside/file" : "outside"), path(name)));
        } else if (kind == "zero") {
            QVERIFY(QFile::link("/dev/zero", path(name)));
        } else {
            const mode_t type = kind == "fifo" ? S_IFIFO : S_IFCHR;
            QCOMPARE(::mknod(planted.constData(), type | 0600, makedev(1, 5)), 0);
        }
        struct stat before {};
        QCOMPARE(::lstat(planted.constData(), &before), 0);
        QVERIFY(!start("bin").isEmpty());
        struct stat after {};
        QCOMPARE(::lstat(planted.constData(), &after), 0);
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(QDir(path("outside")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{"file"});
        QCOMPARE(read("outside/file"), QByteArray("unchanged"));
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
        if (!QStandardPaths::findExecutable("gtk-update-icon-cache").isEmpty())
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(path("data/icons/hicolor/icon-theme.cache")),
                                     10000);
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
