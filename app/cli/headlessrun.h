#pragma once

#include <QCoreApplication>

class CommandLine;

// The program's commands that need no window: bouncing a pattern or a song to a WAV file,
// playing one in real time, exporting one as a MIDI file and making a pattern of a MIDI file.
// Messages that would be boxes go to stderr.
class HeadlessRun {
    Q_DECLARE_TR_FUNCTIONS(HeadlessRun)

public:
    // Runs the line's command inside the already created application; the exit code.
    static int run(const CommandLine& line);

private:
    static int runCommand(const CommandLine& line);
    // 2 when the output would replace the document read (the same file), else 0.
    static int refuseOverwritingSource(const CommandLine& line);
    static int renderWav(const CommandLine& line);
    static int play(const CommandLine& line);
    static int exportMidi(const CommandLine& line);
    static int importMidi(const CommandLine& line);
};
