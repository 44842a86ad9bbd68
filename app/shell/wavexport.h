#pragma once

#include "pattern/patternbounce.h"

#include <QObject>
#include <optional>

class Form1;
class PatternView;
class RowMix;
class SongList;

// The pattern on screen or the song written as a WAV file from the window: the same take
// and streamed render as the command line's, with the muted rows left out, on a worker
// thread behind a progress dialog. Cancelling leaves no new file and the old one as it was.
class WavExport : public QObject {
    Q_OBJECT

public:
    enum Mode { Pattern, Song };

    WavExport(Form1& form, PatternView& view, SongList& songList, const RowMix& mix);

    // Asks for the file and renders into it; what failed is said in a message.
    void exportWav(Mode mode);
    // The take of one pass of the pattern or the song as it sounds now.
    std::optional<PatternBounce::Take> take(Mode mode) const;

signals:
    // The progress dialog shows this percent.
    void progressShown(int percent);

private:
    enum class Outcome { Written, Cancelled, Failed };
    Outcome render(const PatternBounce::Take& take, const QString& path, QString* error);
    QString askPath(Mode mode) const;

    Form1& form_;
    PatternView& view_;
    SongList& songList_;
    const RowMix& mix_;
};
