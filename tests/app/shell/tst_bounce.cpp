#include <QElapsedTimer>
#include <QtEndian>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

// Patterns bounced to WAV by the program itself: the file is real audio, and its drum hits
// fall on the pattern's steps.
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
                const qsizetype frames = qMin<qsizetype>(size, bytes.size() - at - 8) / (2 * wave.channels);
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

    static int render(const QStringList& arguments, QString* error = nullptr) {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("BEATLOFT_MIDI_BACKENDS");
        program.setProcessEnvironment(env);
        program.start(BEATLOFT_BIN, arguments);
        if (!program.waitForFinished(60000)) return -1;
        if (error) *error = QString::fromUtf8(program.readAllStandardError());
        return program.exitCode();
    }

private slots:
    void stdPatternHitsFallOnItsSteps() {
        QTemporaryDir dir;
        const QString wav = dir.filePath("std.wav");
        QString error;
        QCOMPARE(render({"--render-wav", BEATLOFT_DATA "/Std.drm", wav, "--loops", "2"}, &error), 0);
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
                         qPrintable(QStringLiteral("no hit at step %1: %2 after %3").arg(k).arg(after).arg(before)));
            else
                QVERIFY2(after < 1.5 * before + 0.002,
                         qPrintable(QStringLiteral("hit between steps at %1").arg(k)));
        }
        QVERIFY(rms(wave, 0, 0.0005) > 0);  // the first hit at the very start
    }

    void unreadablePatternFails_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("missing pattern") << QStringList{"--render-wav", "/nonexistent/x.drm", "OUT"} << 1;
        QTest::newRow("missing output") << QStringList{"--render-wav", BEATLOFT_DATA "/Std.drm"} << 2;
        QTest::newRow("bad loops") << QStringList{"--render-wav", BEATLOFT_DATA "/Std.drm", "OUT", "--loops", "0"} << 2;
        QTest::newRow("output folder missing")
            << QStringList{"--render-wav", BEATLOFT_DATA "/Std.drm", "/nonexistent/dir/x.wav"} << 1;
    }
    void unreadablePatternFails() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QTemporaryDir dir;
        arguments.replaceInStrings("OUT", dir.filePath("x.wav"));
        QString error;
        QCOMPARE(render(arguments, &error), exitCode);
        QVERIFY(error.startsWith("beatloft: "));
        QVERIFY(!QFile::exists(dir.filePath("x.wav")));
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
