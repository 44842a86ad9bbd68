#pragma once

#include <QByteArray>
#include <QtGlobal>

class QIODevice;

namespace sys {

// What a device holds from its position on, but no more than most bytes. The buffer grows
// with what is read instead of being sized to most up front, so a file of a few hundred
// bytes never costs the megabytes its cap allows.
QByteArray readAtMost(QIODevice& device, qint64 most);

}  // namespace sys
