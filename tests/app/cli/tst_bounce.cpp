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
// fall on the pattern's steps; a failed or interrupted run leaves every file as it was.
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

    // inChild runs in the child before the program; interruptMs >= 0 sends SIGINT that
    // long after the start. -2 for a program that did not end normally.
    static int render(const QStringList& arguments, QString* error = nullptr,
                      const std::function<void()>& inChild = {}, int interruptMs = -1) {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("BEATLOFT_MIDI_BACKENDS");
        // In a sanitizer build, memory freed is held back up to 256 MB, which would hide the
        // render's own peak; without a sanitizer the option means nothing.
        env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":quarantine_size_mb=0");
        program.setProcessEnvironment(env);
        program.setChildProcessModifier(inChild);
        program.start(BEATLOFT_BIN, arguments);
        if (interruptMs >= 0 && program.waitForStarted()) {
            QTest::qWait(interruptMs);
            ::kill(program.processId(), SIGINT);
        }
        if (!program.waitForFinished(60000)) return -1;
        if (error) *error = QString::fromUtf8(program.readAllStandardError());
        return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -2;
    }

    // A song file: per row tempo, steps per beat, beats per bar, loops and the steps at which
    // instrument row 1 (the bass drum) plays; the names and notes are empty.
    struct SongRow {
        int bpm, stepsPerBeat, beats, loops;
        QList<int> steps;
    };
    static void writeSong(const QString& path, const QList<SongRow>& rows) {
        QByteArray bytes = QByteArray(30, ' ') + char(rows.size()) + '\0';
        for (const SongRow& row : rows) {
            QByteArray record(1041, '\0');
            record[2] = char(row.bpm);
            record[4] = char(row.stepsPerBeat);
            record[6] = char(row.beats);
            record[1031] = char(row.loops);
            for (int step : row.steps) record[70 + step * 31 + 1] = 3;
            bytes += record;
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

    static bool hitAt(const Wave& wave, double t) {
        return rms(wave, t, t + 0.010) > qMax(0.001, 3 * rms(wave, t - 0.010, t - 0.001));
    }

    // Kind, device and contents of every entry of a folder.
    static QStringList snapshot(const QString& folder) {
        QStringList entries;
        for (const QFileInfo& entry :
             QDir(folder).entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
            struct stat info {};
            ::lstat(QFile::encodeName(entry.filePath()), &info);
            QFile file(entry.filePath());
            const bool regular = S_ISREG(info.st_mode) && file.open(QIODevice::ReadOnly);
            entries << QStringLiteral("%1 %2 %3 %4")
                           .arg(entry.fileName())
                           .arg(info.st_mode)
                           .arg(info.st_rdev)
                           .arg(regular ? file.readAll().toHex() : "");
        }
        return entries;
    }

    // The targets the rows name, in dir: an old take, a FIFO, a device node (where this
    // user may make one; else the null device itself, which such a user cannot replace
    // either), a folder, and Std.drm at a tempo too slow for a WAV file.
    static QStringList targets(const QTemporaryDir& dir) {
        const QString node = dir.filePath("null");
        QFile old(dir.filePath("old.wav")), source(BEATLOFT_DATA "/Std.drm"),
            slow(dir.filePath("slow.drm"));
        QFile shortSong(dir.filePath("short.dsg"));
        if (shortSong.open(QIODevice::WriteOnly)) shortSong.write("Beatloft");
        if (old.open(QIODevice::WriteOnly)) old.write("the good old take");
        if (source.open(QIODevice::ReadOnly) && slow.open(QIODevice::WriteOnly))
            slow.write(source.readAll().replace("BPM, 100", "BPM, 0.001"));
        ::mkfifo(QFile::encodeName(dir.filePath("fifo")), 0600);
        QDir(dir.path()).mkdir("folder");
        const bool made = ::mknod(QFile::encodeName(node), S_IFCHR | 0666, makedev(1, 3)) == 0;
        return {"OUT",   dir.filePath("x.wav"),  "OLD",  old.fileName(),
                "FIFO",  dir.filePath("fifo"),   "NODE", made ? node : "/dev/null",
                "DIR",   dir.filePath("folder"), "SLOW", slow.fileName(),
                "SHORT", shortSong.fileName()};
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
        QVERIFY(rms(wave, 0, 0.001) > 0);  // the first hit within a millisecond of the start
    }

    // 120 BPM in 4 steps, a row without passes, 90 BPM in triplets; the whole song twice.
    // A row begins when the last pass of the one before ends.
    void songRowsFallOnTheirSteps() {
        QTemporaryDir dir;
        const QString song = dir.filePath("set.dsg"), wav = dir.filePath("set.wav");
        writeSong(song, {{120, 4, 1, 2, {1, 3}}, {60, 2, 2, 0, {1, 2}}, {90, 3, 2, 1, {1, 4}}});
        QCOMPARE(render({"--render-wav", song, wav, "--loops", "2"}), 0);
        const Wave wave = readWave(wav);
        const double fast = 0.125, triplet = 60.0 / 270, length = 8 * fast + 6 * triplet;
        QVERIFY(qAbs(double(wave.mono.size()) / wave.rate - (2 * length + 1.0)) < 0.01);
        for (int k = 0; k < 28; ++k) {  // a pass of the song: 8 fast steps, then 6 triplets
            const int s = k % 14;
            const double t = k / 14 * length + qMin(s, 8) * fast + qMax(s - 8, 0) * triplet;
            QVERIFY2(hitAt(wave, t) == (s < 8 ? s % 2 == 0 : (s - 8) % 3 == 0),
                     qPrintable(QString::number(t)));
        }
        writeSong(song, {});
        QCOMPARE(render({"--render-wav", song, wav}), 0);
        QCOMPARE(readWave(wav).mono.size(), size_t(44100));  // an empty song: the tail alone
    }

    void failuresLeaveEverythingAsItWas_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");    // in stderr; none: stderr stays empty
        QTest::addColumn<int>("fileSizeLimit");  // bytes; 0: none
        QTest::addColumn<int>("interruptMs");    // -1: none; 0: at once, held until taken
        const auto row = [](const char* name, const QStringList& arguments, int exitCode,
                            const QString& message, int fileSizeLimit = 0, int interruptMs = -1) {
            QTest::newRow(name) << arguments << exitCode << message << fileSizeLimit << interruptMs;
        };
        const QString pattern = BEATLOFT_DATA "/Std.drm", notFile = "keine gewöhnliche Datei";
        row("missing pattern", {"--render-wav", "/nonexistent/x.drm", "OUT"}, 1, "beatloft: ");
        row("missing output", {"--render-wav", pattern}, 2, "beatloft: ");
        row("song ends inside its header", {"--render-wav", "SHORT", "OUT"}, 1,
            "beatloft: 62Einlesen hinter Dateiende\n");
        row("bad loops", {"--render-wav", pattern, "OUT", "--loops", "0"}, 2, "beatloft: ");
        row("output folder missing", {"--render-wav", pattern, "/nonexistent/dir/x.wav"}, 1,
            "beatloft: ");
        row("longer than a WAV file holds", {"--render-wav", "SLOW", "OUT"}, 1, "zu lang für");
        row("FIFO as target", {"--render-wav", pattern, "FIFO"}, 1, notFile);
        row("device node as target", {"--render-wav", pattern, "NODE"}, 1, notFile);
        row("folder as target", {"--render-wav", pattern, "DIR"}, 1, notFile);
        // The file size limit stops a write short, as a full disk does.
        row("write fails", {"--render-wav", pattern, "OLD"}, 1, "nicht geschrieben: ", 100000);
        row("interrupt at once", {"--play", pattern}, 0, "", 0, 0);
        row("interrupt while rendering", {"--render-wav", pattern, "OLD", "--loops", "1000"}, 1,
            "abgebrochen", 0, 1500);
    }
    void failuresLeaveEverythingAsItWas() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QFETCH(int, fileSizeLimit);
        QFETCH(int, interruptMs);
        QTemporaryDir dir;
        const QStringList named = targets(dir);
        for (qsizetype i = 0; i < named.size(); i += 2)
            arguments.replaceInStrings(named[i], named[i + 1]);
        const QStringList before = snapshot(dir.path());
        const auto inChild = [fileSizeLimit, interruptMs] {
            const rlimit limit{rlim_t(fileSizeLimit), rlim_t(fileSizeLimit)};
            if (fileSizeLimit > 0 && std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR)
                setrlimit(RLIMIT_FSIZE, &limit);
            sigset_t interrupt;
            sigemptyset(&interrupt);
            sigaddset(&interrupt, SIGINT);
            if (interruptMs == 0) sigprocmask(SIG_BLOCK, &interrupt, nullptr);
        };
        QString error;
        QCOMPARE(render(arguments, &error, inChild, interruptMs), exitCode);
        QVERIFY2(message.isEmpty() ? error.isEmpty() : error.contains(message), qPrintable(error));
        QCOMPARE(snapshot(dir.path()), before);
    }

    void aLongRenderNeedsNoMoreMemory() {
        QTemporaryDir dir;
        QCOMPARE(render({"--render-wav", BEATLOFT_DATA "/Std.drm", dir.filePath("a.wav")}), 0);
        rusage usage{};
        getrusage(RUSAGE_CHILDREN, &usage);
        const long shortPeak = usage.ru_maxrss;  // kB, the largest program run so far
        // 100 loops: four minutes of sound, 42 MB of samples.
        QCOMPARE(render({"--render-wav", BEATLOFT_DATA "/Std.drm", dir.filePath("b.wav"), "--loops",
                         "100"}),
                 0);
        QCOMPARE(QFileInfo(dir.filePath("b.wav")).size(), 44 + 4 * qint64(241 * 44100));
        getrusage(RUSAGE_CHILDREN, &usage);
        QVERIFY2(
            usage.ru_maxrss - shortPeak < 10000,
            qPrintable(QStringLiteral("%1 kB after %2 kB").arg(usage.ru_maxrss).arg(shortPeak)));
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
