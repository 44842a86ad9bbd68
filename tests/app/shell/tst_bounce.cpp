#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <cmath>
#include <csignal>
#include <functional>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

// Patterns bounced to WAV by the program itself: the file is real audio, and its drum hits
// fall on the pattern's steps; a failed or interrupted bounce keeps what was there.
class TstBounce : public QObject {
    Q_OBJECT

    struct Wave {
        int channels = 0, rate = 0, bits = 0;
        std::vector<double> mono;  // -1..1
    };

    static Wave readWave(const QString& path) {
        QFile file(path);
        Wave wave;
        if (!file.open(QIODevice::ReadOnly)) return wave;
        const QByteArray bytes = file.readAll();
        if (!bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") return wave;
        qsizetype at = 12;
        while (at + 8 <= bytes.size()) {
            const QByteArray id = bytes.mid(at, 4);
            const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
            const char* body = bytes.constData() + at + 8;
            if (id == "fmt ") {
                wave.channels = qFromLittleEndian<quint16>(body + 2);
                wave.rate = int(qFromLittleEndian<quint32>(body + 4));
                wave.bits = qFromLittleEndian<quint16>(body + 14);
            } else if (id == "data" && wave.channels > 0) {
                const qsizetype frames =
                    qMin<qsizetype>(size, bytes.size() - at - 8) / (2 * wave.channels);
                for (qsizetype i = 0; i < frames; ++i) {
                    double sum = 0;
                    for (int c = 0; c < wave.channels; ++c)
                        sum += qFromLittleEndian<qint16>(body + 2 * (i * wave.channels + c));
                    wave.mono.push_back(sum / wave.channels / 32768.0);
                }
            }
            at += 8 + size + (size & 1);
        }
        return wave;
    }

    static double rms(const Wave& wave, double from, double to) {
        const qsizetype a = qMax<qsizetype>(0, qsizetype(from * wave.rate));
        const qsizetype b = qMin<qsizetype>(qsizetype(wave.mono.size()), qsizetype(to * wave.rate));
        double sum = 0;
        for (qsizetype i = a; i < b; ++i) sum += wave.mono[i] * wave.mono[i];
        return b > a ? std::sqrt(sum / double(b - a)) : 0;
    }

    // The program as installed, with the built-in synthesizer.
    static void prepare(QProcess* program) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("BEATLOFT_MIDI_BACKENDS");
        program->setProcessEnvironment(env);
    }

    static int render(const QStringList& arguments, QString* error = nullptr,
                      const std::function<void()>& inChild = {}) {
        QProcess program;
        prepare(&program);
        program.setChildProcessModifier(inChild);
        program.start(BEATLOFT_BIN, arguments);
        if (!program.waitForFinished(60000)) return -1;
        if (error) *error = QString::fromUtf8(program.readAllStandardError());
        return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -2;
    }

    // Std.drm at another tempo.
    static QString patternAt(const QTemporaryDir& dir, const QByteArray& bpm) {
        QFile source(BEATLOFT_DATA "/Std.drm");
        QFile slow(dir.filePath("tempo.drm"));
        if (!source.open(QIODevice::ReadOnly) || !slow.open(QIODevice::WriteOnly)) return {};
        slow.write(source.readAll().replace("BPM, 100", "BPM, " + bpm));
        return slow.fileName();
    }

    static long peakKilobytesOfChildren() {
        rusage usage{};
        getrusage(RUSAGE_CHILDREN, &usage);
        return usage.ru_maxrss;
    }

private slots:
    void stdPatternHitsFallOnItsSteps() {
        QTemporaryDir dir;
        const QString wav = dir.filePath("std.wav");
        QString error;
        QCOMPARE(render({"--render-wav", BEATLOFT_DATA "/Std.drm", wav, "--loops", "2"}, &error),
                 0);
        QCOMPARE(error, QString());
        const Wave wave = readWave(wav);
        QCOMPARE(wave.channels, 2);
        QCOMPARE(wave.rate, 44100);
        QCOMPARE(wave.bits, 16);
        // 100 BPM, 4 steps per beat: 0.15 s a step; 2 loops of 16 steps and a second of tail.
        const double step = 0.15;
        QVERIFY(qAbs(double(wave.mono.size()) / wave.rate - (32 * step + 1.0)) < 0.01);
        // The rock beat sounds on every odd step (hi-hat) and never between them.
        for (int k = 0; k < 32; ++k) {
            const double t = k * step;
            const double before = rms(wave, t - 0.010, t - 0.001);
            const double after = rms(wave, t, t + 0.010);
            if (k % 2 == 0)
                QVERIFY2(after > 0.001 && after > 3 * before,
                         qPrintable(QStringLiteral("no hit at step %1: %2 after %3")
                                        .arg(k)
                                        .arg(after)
                                        .arg(before)));
            else
                QVERIFY2(after < 1.5 * before + 0.002,
                         qPrintable(QStringLiteral("hit between steps at %1").arg(k)));
        }
        QVERIFY(rms(wave, 0, 0.0005) > 0);  // the first hit at the very start
    }

    void unreadablePatternFails_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("missing pattern")
            << QStringList{"--render-wav", "/nonexistent/x.drm", "OUT"} << 1;
        QTest::newRow("missing output")
            << QStringList{"--render-wav", BEATLOFT_DATA "/Std.drm"} << 2;
        QTest::newRow("bad loops")
            << QStringList{"--render-wav", BEATLOFT_DATA "/Std.drm", "OUT", "--loops", "0"} << 2;
        QTest::newRow("output folder missing")
            << QStringList{"--render-wav", BEATLOFT_DATA "/Std.drm", "/nonexistent/dir/x.wav"} << 1;
        QTest::newRow("loops without value")
            << QStringList{"--render-wav", BEATLOFT_DATA "/Std.drm", "OUT", "--loops"} << 2;
        QTest::newRow("longer than a WAV file holds")
            << QStringList{"--render-wav", "SLOW", "OUT"} << 1;
        for (const char* seconds : {"nan", "inf", "1e9", "0"})
            QTest::addRow("play %s seconds", seconds)
                << QStringList{"--play", BEATLOFT_DATA "/Std.drm", "--seconds", seconds} << 2;
    }
    void unreadablePatternFails() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QTemporaryDir dir;
        arguments.replaceInStrings("OUT", dir.filePath("x.wav"));
        arguments.replaceInStrings("SLOW", patternAt(dir, "0.001"));
        QString error;
        QCOMPARE(render(arguments, &error), exitCode);
        QVERIFY(error.startsWith("beatloft: "));
        QVERIFY(!QFile::exists(dir.filePath("x.wav")));
    }

    void refusesTargetsThatAreNoFiles_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("fifo") << "fifo";
        QTest::newRow("device node") << "device";
        QTest::newRow("directory") << "directory";
    }
    void refusesTargetsThatAreNoFiles() {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QString target = dir.filePath("target");
        const QByteArray name = QFile::encodeName(target);
        if (kind == "fifo") QCOMPARE(::mkfifo(name, 0600), 0);
        if (kind == "directory") QVERIFY(QDir(dir.path()).mkdir("target"));
        // The null device's own node where this may be made; else the device itself, which
        // a user without the right to make nodes cannot replace either.
        if (kind == "device" && ::mknod(name, S_IFCHR | 0666, makedev(1, 3)) != 0)
            target = "/dev/null";
        struct stat before {};
        QCOMPARE(::stat(QFile::encodeName(target), &before), 0);
        QString error;
        QCOMPARE(render({"--render-wav", BEATLOFT_DATA "/Std.drm", target}, &error), 1);
        QVERIFY2(error.contains("keine gewöhnliche Datei"), qPrintable(error));
        struct stat after {};
        QCOMPARE(::stat(QFile::encodeName(target), &after), 0);
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(after.st_rdev, before.st_rdev);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 0);  // no temporary file left
    }

    void aFailedWriteKeepsTheOldFile() {
        QTemporaryDir dir;
        const QString wav = dir.filePath("keep.wav");
        QFile old(wav);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the good old take");
        old.close();
        // The file size limit makes a write stop short, as a full disk does.
        const auto limitFileSize = [] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{100000, 100000};
            setrlimit(RLIMIT_FSIZE, &limit);
        };
        QString error;
        QCOMPARE(render({"--render-wav", BEATLOFT_DATA "/Std.drm", wav}, &error, limitFileSize), 1);
        QVERIFY2(error.contains("beatloft: WAV-Datei nicht geschrieben: "), qPrintable(error));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("the good old take"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.wav"});
    }

    void aLongRenderNeedsNoMoreMemory() {
        QTemporaryDir dir;
        QCOMPARE(render({"--render-wav", BEATLOFT_DATA "/Std.drm", dir.filePath("short.wav")}), 0);
        const long shortPeak = peakKilobytesOfChildren();
        // 100 loops: four minutes of sound, 42 MB of samples.
        QCOMPARE(render({"--render-wav", BEATLOFT_DATA "/Std.drm", dir.filePath("long.wav"),
                         "--loops", "100"}),
                 0);
        QCOMPARE(QFileInfo(dir.filePath("long.wav")).size(),
                 44 + 4 * qint64(std::llround(241 * 44100.0)));
        QVERIFY2(
            peakKilobytesOfChildren() - shortPeak < 10000,
            qPrintable(
                QStringLiteral("%1 kB after %2 kB").arg(peakKilobytesOfChildren()).arg(shortPeak)));
    }

    void interruptEndsARunCleanly_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("delayMs");  // -1: at once, held back until the program takes it
        QTest::addColumn<int>("exitCode");
        const QStringList play{"--play", BEATLOFT_DATA "/Std.drm"};
        QTest::newRow("play, at once") << play << -1 << 0;
        QTest::newRow("play, while loading") << play << 200 << 0;
        QTest::newRow("play, while playing") << play << 1500 << 0;
        QTest::newRow("render, while rendering")
            << QStringList{"--render-wav", BEATLOFT_DATA "/Std.drm", "OUT", "--loops", "1000"}
            << 1500 << 1;
    }
    void interruptEndsARunCleanly() {
        QFETCH(QStringList, arguments);
        QFETCH(int, delayMs);
        QFETCH(int, exitCode);
        QTemporaryDir dir;
        arguments.replaceInStrings("OUT", dir.filePath("x.wav"));
        QProcess program;
        prepare(&program);
        program.setChildProcessModifier([delayMs] {
            sigset_t interrupt;
            sigemptyset(&interrupt);
            sigaddset(&interrupt, SIGINT);
            if (delayMs < 0) sigprocmask(SIG_BLOCK, &interrupt, nullptr);
        });
        program.start(BEATLOFT_BIN, arguments);
        QVERIFY(program.waitForStarted());
        QTest::qWait(qMax(0, delayMs));
        ::kill(program.processId(), SIGINT);
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), exitCode);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
    }

    void playsInRealTimeAndStops() {
        QElapsedTimer clock;
        clock.start();
        QString error;
        QCOMPARE(render({"--play", BEATLOFT_DATA "/Std.drm", "--seconds", "1"}, &error), 0);
        QCOMPARE(error, QString());
        QVERIFY(clock.elapsed() >= 1000);
    }
};

QTEST_MAIN(TstBounce)
#include "tst_bounce.moc"
