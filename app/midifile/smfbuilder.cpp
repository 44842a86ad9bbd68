#include "smfbuilder.h"

#include "shared/windowscodepage.h"
#include "song/patternstore.h"
#include "song/songschedule.h"

#include <algorithm>
#include <cmath>

const QString SmfBuilder::kNotice = QStringLiteral("Erstellt mit Beatloft");

namespace {

constexpr quint32 kMaxVariableLength = 0x0FFFFFFF;
constexpr double kMaxTempoMicroseconds = 0xFFFFFF;
constexpr int kFirstOffNote = 36;
constexpr int kMarkerNote = 1;
constexpr int kNoteOn = 0x99;  // channel 10
constexpr int kNoteOff = 0x89;

struct StepNote {
    int note;
    int level;
};
using StepNotes = QList<StepNote>;

// Ticks of consecutive steps: step s after the origin falls on origin + round(s * 96 / spb),
// so rounding never accumulates. A change of steps per beat starts a new origin.
struct StepClock {
    double stepsPerBeat;
    qint64 origin = 0;
    qint64 steps = 0;
    qint64 tick = 0;
};

void setStepsPerBeat(StepClock* clock, double stepsPerBeat) {
    if (stepsPerBeat == clock->stepsPerBeat) return;
    *clock = {stepsPerBeat, clock->tick, 0, clock->tick};
}

qint64 nextDelta(StepClock* clock) {
    ++clock->steps;
    const qint64 next = clock->origin + std::llrint(double(clock->steps) *
                                                    SmfBuilder::TicksPerStep(clock->stepsPerBeat));
    const qint64 delta = next - clock->tick;
    clock->tick = next;
    return delta;
}

char byteOf(int value) {
    return char(quint8(value));
}

QByteArray channelEvent(int status, int data1, int data2) {
    QByteArray bytes;
    for (int b : {status, data1, data2}) bytes.append(byteOf(b));
    return bytes;
}

// A one-byte field from a number: rounded (halves to even) and held to 0..255.
char clampedByte(double value) {
    if (!std::isfinite(value)) return 0;
    return byteOf(int(std::clamp(std::nearbyint(value), 0.0, 255.0)));
}

double tempoMicroseconds(double bpm) {
    return 1000000 / (bpm / 60);
}

bool tempoFits(double bpm) {
    const double microseconds = tempoMicroseconds(bpm);
    return bpm > 0 && std::isfinite(microseconds) && std::nearbyint(microseconds) >= 1 &&
           std::nearbyint(microseconds) <= kMaxTempoMicroseconds;
}

// Every tempo event, the first one and a song row's: the whole microseconds are rounded
// before they are split into bytes, so a value just below a byte boundary carries over
// (125 BPM is 479999.99999999994 microseconds, written as 480000).
QByteArray tempoEvent(double bpm) {
    return QByteArray::fromHex("FF5103") +
           SmfBuilder::BigEndianBytes(3, std::nearbyint(tempoMicroseconds(bpm)));
}

QByteArray textEvent(char type, const QByteArray& text) {
    return QByteArray("\xFF", 1) + type + SmfBuilder::variableLength(quint32(text.size())) + text;
}

QByteArray chunk(const char* id, const QByteArray& data) {
    return QByteArray(id) + SmfBuilder::BigEndianBytes(4, double(data.size())) + data;
}

int velocity(int level) {
    return 32 * (std::min(level, 3) + 1) - 1;
}

void addNote(StepNotes* notes, int note, int level) {
    if (level > 0 && note >= 0 && note <= 127) notes->append({note, level});
}

// A step's note ons, its marker carrying the step's length, then its note offs.
void appendStep(QByteArray* events, const StepNotes& notes, qint64 delta) {
    for (const StepNote& n : notes)
        events->append('\0' + channelEvent(kNoteOn, n.note, velocity(n.level)));
    events->append(SmfBuilder::variableLength(quint32(delta)));
    events->append(channelEvent(kNoteOff, kMarkerNote, 0));
    for (const StepNote& n : notes) events->append('\0' + channelEvent(kNoteOff, n.note, 0));
}

QByteArray firstEvents() {
    return channelEvent(kNoteOff, kFirstOffNote, 0);
}

// The notes of steps 1..30 of a stored pattern; its steps above 30 are silent.
QList<StepNotes> storedSteps(const StoredPattern& record, int steps) {
    QList<StepNotes> result(std::clamp(steps, 0, StoredPattern::kMaxIndex));
    for (int step = 1; step <= result.size(); ++step)
        for (int row = 1; row <= StoredPattern::kMaxIndex; ++row)
            addNote(&result[step - 1], record.Notes[row], record.cell(row, step));
    return result;
}

std::nullopt_t refuse(SmfBuilder::Refusal* refusal, SmfBuilder::Refusal reason) {
    if (refusal) *refusal = reason;
    return std::nullopt;
}

}  // namespace

bool SmfBuilder::isValid() const {
    const double spb = settings_.stepsPerBeat;
    return std::isfinite(spb) && spb > 0 && TicksPerStep(spb) < kMaxVariableLength - 1 &&
           tempoFits(settings_.tempo);
}

std::optional<QByteArray> SmfBuilder::BuildPatternEvents(const SmfPattern& pattern,
                                                         Refusal* refusal) const {
    if (!isValid()) return refuse(refusal, Refusal::InvalidSettings);
    QByteArray events = firstEvents();
    StepClock clock{settings_.stepsPerBeat};
    for (const QList<int>& levels : pattern.steps) {
        StepNotes notes;
        for (qsizetype row = 0; row < levels.size() && row < pattern.notes.size(); ++row)
            addNote(&notes, pattern.notes[row], levels[row]);
        appendStep(&events, notes, nextDelta(&clock));
        if (events.size() > kMaxEventBytes) return refuse(refusal, Refusal::TooLarge);
    }
    return events;
}

std::optional<QByteArray> SmfBuilder::BuildSongEvents(const PatternStore& store, int songRows,
                                                      Refusal* refusal) const {
    if (!isValid()) return refuse(refusal, Refusal::InvalidSettings);
    QByteArray events = firstEvents();
    StepClock clock{settings_.stepsPerBeat};
    double tempo = settings_.tempo;
    for (const ScheduledRow& row : songSchedule(store, songRows, settings_.tempo)) {
        if (row.tempo != tempo) {
            if (!tempoFits(row.tempo)) return refuse(refusal, Refusal::InvalidSettings);
            events.append('\0' + tempoEvent(row.tempo));
            tempo = row.tempo;
        }
        setStepsPerBeat(&clock, row.stepsPerBeat);
        const QList<StepNotes> steps = storedSteps(store[row.row], row.steps);
        for (int pass = 0; pass < row.passes; ++pass) {
            for (int step = 0; step < row.steps; ++step) {
                appendStep(&events, step < steps.size() ? steps[step] : StepNotes(),
                           nextDelta(&clock));
                if (events.size() > kMaxEventBytes) return refuse(refusal, Refusal::TooLarge);
            }
        }
    }
    return events;
}

QByteArray SmfBuilder::file(const QByteArray& MidiEvents) const {
    const QByteArray notice = toWindowsCodePage(kNotice);
    const QByteArray endOfTrack = QByteArray::fromHex("00FF2F00");
    const QByteArray timeSignature =
        QByteArray::fromHex("00FF5804") + clampedByte(settings_.beatsPerBar) +
        clampedByte(std::log2(settings_.noteValue)) + '\x20' + clampedByte(settings_.stepsPerBeat);
    const QByteArray track2 =
        '\0' + tempoEvent(settings_.tempo) + '\0' + textEvent('\x02', notice) + '\0' +
        textEvent('\x03', toWindowsCodePage(settings_.name)) + '\0' + MidiEvents + endOfTrack;
    return QByteArray::fromHex("4D546864000000060001000300") + char(kDivision) +
           chunk("MTrk", timeSignature + endOfTrack) + chunk("MTrk", track2) +
           chunk("MTrk", '\0' + textEvent('\x03', notice) + endOfTrack);
}

std::optional<QByteArray> SmfBuilder::exportPattern(const SmfSettings& settings,
                                                    const SmfPattern& pattern, Refusal* refusal) {
    const SmfBuilder builder(settings);
    const std::optional<QByteArray> events = builder.BuildPatternEvents(pattern, refusal);
    if (!events) return std::nullopt;
    return builder.file(*events);
}

std::optional<QByteArray> SmfBuilder::exportSong(const SmfSettings& settings,
                                                 const PatternStore& store, int songRows,
                                                 Refusal* refusal) {
    const SmfBuilder builder(settings);
    const std::optional<QByteArray> events = builder.BuildSongEvents(store, songRows, refusal);
    if (!events) return std::nullopt;
    return builder.file(*events);
}

QByteArray SmfBuilder::BigEndianBytes(int count, double value) {
    QByteArray bytes;
    double v = value;
    for (int i = count - 1; i >= 1; --i) {
        const double unit = std::ldexp(1.0, 8 * i);
        const double q = std::floor(v / unit);
        bytes.append(byteOf(int(q)));
        v -= q * unit;
    }
    bytes.append(byteOf(int(std::nearbyint(v))));
    return bytes;
}

QByteArray SmfBuilder::variableLength(quint32 value) {
    QByteArray bytes(1, char(value & 0x7F));
    for (value >>= 7; value > 0; value >>= 7) bytes.prepend(char(0x80 | (value & 0x7F)));
    return bytes;
}
