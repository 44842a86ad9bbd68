// Feeds arbitrary bytes to the field reader as a pattern file would reach it: decoded,
// then read field by field to the end. Checks that reading always ends and that every
// field is a piece of the text.
#include "system/fieldreader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        sys::FieldReader::decode(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    sys::FieldReader reader(text);
    QString field;
    qsizetype fields = 0;
    while (reader.read(&field)) {
        if (field.size() > text.size()) std::abort();
        if (++fields > text.size() + 1) std::abort();  // every field consumes the text
    }
    if (!reader.atEnd()) std::abort();
    return 0;
}
