#include "cli/commandline.h"
#include "cli/headlessrun.h"
#include "midi/midiservices.h"
#include "midi/virtualdevices.h"
#include "onsetfinder.h"
#include "settingssandbox.h"
#include "shared/midiclocksetting.h"
#include "song/song.h"
#include "song/songcodec.h"
#include "tempprogramfolder.h"

#include <sys/stat.h>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The commands without a window, run inside a core application: making any widget here
// would abort the test, so every row also proves that none is made.
class TstHeadless : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<TempProgramFolder> folder_;

    QString path(const QString& name) const { return dir_.filePath(name); }
    static void write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // A song of `rows` rows, every cell of its 30 x 30 set, at the given numbers.
    static QByteArray song(int rows, qint16 tempo, qint16 subdivs, qint16 takt, qint16 loops) {
        Song song;
        song.rows = rows;
        for (int r = 1; r <= rows; ++r) {
            StoredPattern& record = song.store[r];
            record.Name = QStringLiteral("R%1").arg(r);
            record.BPM = tempo, record.SubDivs = subdivs, record.Takt = takt, record.Loops = loops;
            for (int i = 1; i <= 30; ++i) {
                record.Notes[i] = qint16(34 + i);
                for (int j = 1; j <= 30; ++j) record.setCell(i, j, 2);
            }
        }
        return SongCodec::encodeSong(QStringLiteral("Test"), song.store, rows);
    }
    QByteArray read(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.read(16) : QByteArray();
    }

private slots:
    void initTestCase() {
        midi::MidiServices::instance().useVirtualOnly(true);  // no synthesizer for --play
        folder_ = std::make_unique<TempProgramFolder>();
        QFile::copy(folder_->filePath("Std.drm"), path("std.drm"));
        QFile::copy(folder_->filePath("Std.drm"), path("-dash.drm"));
        write(path("song.dsg"), song(2, 120, 4, 1, 2));
        write(path("huge.dsg"), song(30, 32767, 32767, 1, 32767));
        QCOMPARE(::mkfifo(QFile::encodeName(path("fifo.dsg")).constData(), 0600), 0);
    }

    void commands_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");  // its first bytes afterwards, or "none"
        QTest::newRow("pattern to MIDI")
            << QStringList{"--export-midi", "std.drm", "p.mid"} << 0 << "MThd";
        QTest::newRow("pattern to WAV")
            << QStringList{"--render-wav", "std.drm", "p.wav"} << 0 << "RIFF";
        QTest::newRow("its MIDI file back to a pattern")
            << QStringList{"--import-midi", "p.mid", "i.drm"} << 0 << "\"Rock";
        QTest::newRow("a pattern file as MIDI")
            << QStringList{"--import-midi", "std.drm", "x.drm"} << 1 << "none";
        QTest::newRow("pattern played")
            << QStringList{"--play", "std.drm", "--seconds", "0.1"} << 0 << "";
        QTest::newRow("song to MIDI")
            << QStringList{"--export-midi", "song.dsg", "s.mid"} << 0 << "MThd";
        QTest::newRow("song to WAV")
            << QStringList{"--render-wav", "song.dsg", "s.wav"} << 0 << "RIFF";
        QTest::newRow("song played to its end") << QStringList{"--play", "song.dsg"} << 0 << "";
        QTest::newRow("a file after --")
            << QStringList{"--export-midi", "--", "-dash.drm", "d.mid"} << 0 << "MThd";
        QTest::newRow("MIDI over its own song")
            << QStringList{"--export-midi", "song.dsg", "song.dsg"} << 2 << "Test";
        QTest::newRow("WAV over its own pattern")
            << QStringList{"--render-wav", "std.drm", "std.drm"} << 2 << "\"Rock";
        QTest::newRow("a FIFO as the song")
            << QStringList{"--render-wav", "fifo.dsg", "f.wav"} << 1 << "none";
        QTest::newRow("a song of 1.8 billion notes")
            << QStringList{"--render-wav", "huge.dsg", "h.wav"} << 1 << "none";
    }
    void commands() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QVERIFY(QDir::setCurrent(dir_.path()));
        const CommandLine line = CommandLine::parse(arguments);
        QVERIFY2(line.isValid(), qPrintable(line.error()));
        QCOMPARE(HeadlessRun::run(line), exitCode);
        if (output.isEmpty()) return;
        const QString target = line.operands().value(1);
        QVERIFY(output == "none" ? !QFile::exists(target)
                                 : read(target).startsWith(output.toLatin1()));
    }

    // --seconds plays the steps due within the time asked and no later one, whether the
    // output takes them ahead or as they come.
    void playsTheStepsWithinItsSeconds_data() {
        QTest::addColumn<bool>("placesByTime");
        QTest::newRow("places by time") << true;
        QTest::newRow("plays as it comes") << false;
    }
    void playsTheStepsWithinItsSeconds() {
        QFETCH(bool, placesByTime);
        const unsigned device = midi::VirtualDevices::addOutput(QStringLiteral("Steps"));
        midi::MidiServices::instance().rescan();
        midi::VirtualDevices::setPlacesByTime(device, placesByTime);
        const QString pattern = OnsetFinder::writeSidestickPattern(dir_.path());  // 125 ms steps
        QCOMPARE(HeadlessRun::run(CommandLine::parse({"--play", pattern, "--seconds", "0.5"})), 0);
        int notes = 0;
        for (const auto& m : midi::VirtualDevices::received(device))
            notes += (m.shortMessage >> 16) > 0;
        midi::VirtualDevices::clear();
        QCOMPARE(notes, 4);
    }

    // The option the editor stores makes a headless Play send the clock too.
    void playSendsClockWhenChosen() {
        SettingsSandbox sandbox;
        MidiClockSetting::store(true);
        const unsigned device = midi::VirtualDevices::addOutput(QStringLiteral("Clock"));
        midi::MidiServices::instance().rescan();
        QVERIFY(QDir::setCurrent(dir_.path()));
        QCOMPARE(HeadlessRun::run(
                     CommandLine::parse(QStringList{"--play", "std.drm", "--seconds", "0.1"})),
                 0);
        QList<quint32> clock;
        for (const auto& m : midi::VirtualDevices::received(device))
            if ((m.shortMessage & 0xFF) >= 0xF8) clock << m.shortMessage;
        midi::VirtualDevices::clear();
        QVERIFY(clock.size() > 3);
        QCOMPARE(clock.first(), 0xFAu);
        QCOMPARE(clock.count(0xF8u), clock.size() - 2);
        QCOMPARE(clock.last(), 0xFCu);
    }
};

QTEST_GUILESS_MAIN(TstHeadless)
#include "tst_headless.moc"
