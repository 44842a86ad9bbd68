#pragma once

#include <QString>

// The folder patterns and songs are proposed in.
namespace datafolder {

// "Data" beside the program, created when missing; where that cannot be created or
// written (a read-only installation), the user's own data folder.
QString prepare();

}  // namespace datafolder
