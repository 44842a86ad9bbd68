#pragma once

#include <QStringList>

// The program's commands that need no window: bouncing a pattern to a WAV file and
// playing a pattern in real time. Messages that would be boxes go to stderr.
class HeadlessRun {
public:
    // Recognises the command in the arguments; returns false when there is none.
    static bool wants(int argc, char** argv);
    // Runs it inside the already created application; the exit code.
    static int run(const QStringList& arguments);

private:
    static int renderWav(const QStringList& arguments);
    static int play(const QStringList& arguments);
};
