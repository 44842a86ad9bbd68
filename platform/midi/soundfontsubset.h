#pragma once

#include "presetselection.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <map>
#include <vector>

namespace midi::detail {

// A sound font cut down to some of its presets, with only the instruments and samples they
// use, everything kept byte for byte: a render that knows what it plays loads a few hundred
// kilobytes of a General MIDI font instead of all of it, and sounds the same.
class SoundFontSubset {
public:
    // The SF2 file at path with the presets selection includes; empty when the file cannot be
    // read, is not a sound font this reads (compressed or ROM samples), or names records that
    // are not there. The whole font is then to be loaded as it is.
    static QByteArray build(const QString& path, const PresetSelection& selection);

private:
    struct Span {
        qint64 offset = -1, size = 0;
    };

    explicit SoundFontSubset(const QString& path) : file_(path) {}
    QByteArray build(const PresetSelection& selection);
    bool readLayout();
    // The sub-chunks of the chunk body at [begin, end), by id.
    bool readChunks(qint64 begin, qint64 end, std::map<QByteArray, Span>* chunks);
    QByteArray read(const Span& span, qint64 from, qint64 size);
    QByteArray hydra(const char* id) { return read(hydra_[QByteArray(id)], 0, -1); }
    // The points copied for a sample of samples_ (from its start to the guard points after
    // its end), -1 for a sample that cannot be copied.
    qint64 copiedPoints(int sample) const;
    // Appends the kept samples' points to out, and their headers to keptHeaders_.
    bool copySamples(const std::vector<int>& kept, const std::vector<int>& renumber,
                     QByteArray& out);

    QFile file_;
    QByteArray info_;
    Span smpl_, sm24_;
    qint64 hydraBytes_ = 0;
    std::map<QByteArray, Span> hydra_;
    QByteArray samples_, keptHeaders_, sm24Out_;
};

}  // namespace midi::detail
