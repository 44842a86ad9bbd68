#pragma once

#include <QString>

namespace sys {

// Whether two paths name the same existing file (links followed, hard links included).
bool isSameFile(const QString& a, const QString& b);

}  // namespace sys
