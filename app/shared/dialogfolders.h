#pragma once

#include <QString>

// The folder each kind of file dialog starts in: the one last used for that kind of file,
// kept in the settings store, or the data folder while none has been used yet (or the one
// used has gone).
namespace dialogfolders {

enum class Kind { Patterns, Songs, MidiExports };

QString folder(Kind kind, const QString& dataPath);
// Takes the folder of a path chosen in a dialog of that kind.
void remember(Kind kind, const QString& chosenPath);

}  // namespace dialogfolders
