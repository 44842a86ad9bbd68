#include "midi/presetselection.h"
#include "midi/soundfontlocator.h"
#include "midi/soundfontsubset.h"
#include "midi/timedrenderer.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace midi;
using namespace midi::detail;

namespace {

using Messages = std::vector<std::uint32_t>;
constexpr quint32 kAllPoints = 1;  // a sample's end: the last of the font's points

// The sound of messages played at 10 ms apart, rendered with the presets given.
std::vector<float> render(const Messages& messages, const PresetSelection& presets) {
    TimedRenderer renderer(44100, TimedRenderer::Engines::OnDemand);
    renderer.setPresets(presets);
    if (renderer.create() != kNoError) return {};
    for (size_t i = 0; i < messages.size(); ++i)
        renderer.schedule(qint64(i) * 441, SynthEvent::shortMessage(messages[i]));
    std::vector<float> stereo(2 * 44100);
    renderer.renderInterleaved(stereo.data(), 44100);
    return stereo;
}

// The offset of the first record of a hydra chunk of a sound font, or with gen >= 0 of its
// first generator of that kind.
qsizetype hydraRecord(const QByteArray& font, const char* id, int gen) {
    qsizetype at = font.indexOf(id, font.lastIndexOf("LIST")) + 8;
    while (gen >= 0 && qFromLittleEndian<quint16>(font.constData() + at) != gen) at += 4;
    return at;
}

}  // namespace

// Renders load only the part of the sound font that their messages can play.
class TstSoundFontSubset : public QObject {
    Q_OBJECT

    QString font = SoundFontLocator::find();

private slots:
    void selectsWhatTheMessagesCanPlay_data() {
        QTest::addColumn<Messages>("messages");
        QTest::addColumn<int>("bank");
        QTest::addColumn<int>("program");
        QTest::addColumn<bool>("included");
        const Messages drums{0x643899, 0x3899};
        QTest::newRow("drums: the kit") << drums << 128 << 0 << true;
        QTest::newRow("drums: the piano of a reset") << drums << 0 << 0 << true;
        QTest::newRow("drums: no other program") << drums << 0 << 25 << false;
        QTest::newRow("drums: no other bank") << drums << 8 << 0 << false;
        QTest::newRow("a program change") << Messages{0x19C3} << 0 << 25 << true;
        QTest::newRow("a program change: the kit of that number")
            << Messages{0x19C3} << 128 << 25 << true;
        QTest::newRow("in running status") << Messages{0x19C3, 0x1A} << 0 << 26 << true;
        QTest::newRow("a bank select opens every bank")
            << Messages{0x0800B0, 0x04C0} << 8 << 4 << true;
        QTest::newRow("a controller that is no bank select")
            << Messages{0x0807B0, 0x04C0} << 8 << 4 << false;
    }
    void selectsWhatTheMessagesCanPlay() {
        QFETCH(Messages, messages);
        QFETCH(int, bank);
        QFETCH(int, program);
        QFETCH(bool, included);
        QCOMPARE(PresetSelection::of(messages).includes(bank, program), included);
    }

    // Sample for sample the sound of the whole font, from a small part of it.
    void soundsAsTheWholeFont_data() {
        QTest::addColumn<Messages>("messages");
        QTest::newRow("a rock step") << Messages{0x7F2499, 0x6E2A99, 0x7F2699, 0x2499, 0x2A99};
        QTest::newRow("a crash and its open hi-hat cut") << Messages{0x7F3199, 0x642E99, 0x642A99};
        QTest::newRow("an organ chosen on channel 1")
            << Messages{0x13C0, 0x643C90, 0x644090, 0x3C80};
    }
    void soundsAsTheWholeFont() {
        QFETCH(Messages, messages);
        QVERIFY(!font.isEmpty());
        const PresetSelection selection = PresetSelection::of(messages);
        QVERIFY(SoundFontSubset::build(font, selection).size() < QFileInfo(font).size() / 4);
        const std::vector<float> whole = render(messages, {});
        QVERIFY(std::any_of(whole.begin(), whole.end(), [](float v) { return v != 0; }));
        QVERIFY(render(messages, selection) == whole);
    }

    // A damaged font is never cut: it is loaded as it is, or not at all.
    void aDamagedFontIsNotCut_data() {
        QTest::addColumn<QByteArray>("chunk");
        QTest::addColumn<int>("gen");  // -1: the chunk's first record
        QTest::addColumn<int>("at");   // byte in the record
        QTest::addColumn<quint32>("value");
        QTest::addColumn<int>("cut");  // bytes taken off the end
        QTest::newRow("cut short") << QByteArray("shdr") << -1 << 0 << 0u << 100;
        QTest::newRow("a preset's zones past the end")
            << QByteArray("phdr") << -1 << 24 << 0xFFFFu << 0;
        QTest::newRow("an instrument that is not there")
            << QByteArray("pgen") << 41 << 2 << 0xFFFFu << 0;
        QTest::newRow("a sample past the points")
            << QByteArray("shdr") << -1 << 24 << 0xFFFFFFF0u << 0;
        QTest::newRow("a sample over all points, copied again and again")
            << QByteArray("shdr") << -1 << 24 << kAllPoints << 0;
    }
    void aDamagedFontIsNotCut() {
        QFETCH(QByteArray, chunk);
        QFETCH(int, gen);
        QFETCH(int, at);
        QFETCH(quint32, value);
        QFETCH(int, cut);
        const PresetSelection drums = PresetSelection::of({0x643899});
        QByteArray bytes = SoundFontSubset::build(font, drums);
        QVERIFY(!bytes.isEmpty());
        const qsizetype field = hydraRecord(bytes, chunk.constData(), gen) + at;
        if (value == kAllPoints) {
            const qsizetype points = bytes.indexOf("smpl") + 4;
            value = qFromLittleEndian<quint32>(bytes.constData() + points) / 2 - 46;
        }
        if (value > 0xFFFF)
            qToLittleEndian<quint32>(value, bytes.data() + field);
        else if (value)
            qToLittleEndian<quint16>(quint16(value), bytes.data() + field);
        bytes.chop(cut);
        QTemporaryDir dir;
        QFile file(dir.filePath("damaged.sf2"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        QVERIFY(SoundFontSubset::build(file.fileName(), drums).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstSoundFontSubset)
#include "tst_soundfontsubset.moc"
