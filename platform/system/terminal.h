#pragma once

#include <cstdio>

namespace sys {

// Whether a standard stream is a terminal a person reads, not a file or a pipe.
bool isTerminal(std::FILE* stream);

}  // namespace sys
