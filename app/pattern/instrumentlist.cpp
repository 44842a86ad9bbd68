#include "instrumentlist.h"

#include "system/boundedread.h"
#include "system/fieldreader.h"

#include <QFile>

namespace {
// The file holds a few hundred bytes; anything beyond this is not an instrument list.
constexpr qint64 kMaxFileSize = 1 << 20;
}  // namespace

InstrumentList InstrumentList::read(const QString& path, int rowCount) {
    InstrumentList list;
    QFile file(path);
    const bool opened = file.open(QIODevice::ReadOnly);
    sys::FieldReader reader(opened ? sys::FieldReader::decode(sys::readAtMost(file, kMaxFileSize))
                                   : QString());
    QString name;
    QString note;
    for (int k = 1;; ++k) {
        if (k > rowCount) {
            list.tooMany = true;
            break;
        }
        const bool complete = reader.read(&name) && reader.read(&note);
        list.rows.append({name.left(kNameLength), note});
        if (!complete || reader.atEnd()) break;
    }
    return list;
}
