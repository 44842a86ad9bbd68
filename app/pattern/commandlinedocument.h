#pragma once

#include <QString>

// The document named on the command line: only a command line that ends with a double
// quote names one, and the path is the text without its first and last character.
struct CommandLineDocument {
    enum Kind { None, Pattern, Song };

    Kind kind = None;
    QString path;

    // Endings are compared case-sensitively: ".drm" opens a pattern, ".dsg" a song.
    static CommandLineDocument parse(const QString& rawCommandLine);
};
