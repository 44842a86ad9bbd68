#pragma once

#include <QString>

// The folder patterns and songs are proposed in.
namespace datafolder {

// "Data" beside the program, created when missing, where the program folder is the user's
// own (a build tree, an unpacked copy); otherwise (an installed program, a folder that is
// not the user's or cannot be written) the user's own data folder, Beatloft in the XDG data
// folder, created when missing.
QString prepare();

}  // namespace datafolder
