#pragma once

#include <QString>
#include <QStringList>

namespace sys {

// Where the program's own files (instrument list, standard patterns) are found, and the
// command line as one raw text.
class ProgramFolder {
public:
    // The folder of the program's files: the executable's folder, or ../share/beatloft
    // beside it when that holds them instead; a replacement when one was set (tests).
    static QString path();
    static void setPath(const QString& folder);  // empty: back to the executable's folder
    // Whether the program may keep its own files in the folder: this user's folder,
    // writable, and not the files folder of an install tree (<prefix>/share/beatloft), into
    // which an installed program never writes, even when its owner runs it.
    static bool isUsersOwn(const QString& folder);

    // The arguments after the program's own path, each wrapped in double quotes and joined
    // by blanks, so a path reaches the document opener as one quoted text.
    static QString rawCommandLine(const QStringList& arguments);
};

}  // namespace sys
