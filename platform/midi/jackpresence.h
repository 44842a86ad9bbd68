#pragma once

#include <QStringList>

namespace midi::detail {

// Whether a JACK server may run for this user, from the files every JACK server keeps in
// its folder: JACK 1 a folder jack-<uid>, JACK 2 a socket jack_<server>_<uid>_0 (or
// jack_<server>_0 when it serves every user). Asking the client library instead costs a
// start several milliseconds even without a server: it runs the server's program to learn
// that folder.
class JackPresence {
public:
    // The folders JACK servers keep their files in: /dev/shm, /tmp.
    static QStringList defaultFolders();
    // False only when none of folders holds a server's files for uid; server is the
    // server's name (JACK_DEFAULT_SERVER, else "default").
    static bool serverMayRun(const QStringList& folders, unsigned uid, const QString& server);
    // For the user running the program and the server it would talk to.
    static bool serverMayRun();
};

}  // namespace midi::detail
