#pragma once

class CommandLine;

// The program's commands that need no window: bouncing a pattern to a WAV file, playing a
// pattern in real time and exporting a pattern or a song as a MIDI file. Messages that
// would be boxes go to stderr.
class HeadlessRun {
public:
    // Runs the line's command inside the already created application; the exit code.
    static int run(const CommandLine& line);

private:
    static int renderWav(const CommandLine& line);
    static int play(const CommandLine& line);
    static int exportMidi(const CommandLine& line);
};
