// Feeds arbitrary bytes to the evaluation of a report host's reply datagram. Checks that a
// reply opens at most two boxes, the first showing the datagram's text or its first 40 lines,
// and that only an evaluated reply ends a check the user started.
#include "netcheck/versionparser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = QString::fromLocal8Bit(bytes);
    for (bool userCheck : {false, true}) {
        const bool before = userCheck;
        const QStringList messages = versionparser::replyMessages(bytes, userCheck);
        check(!messages.isEmpty() && messages.size() <= 2);
        const QString& shown = messages.first();
        check(shown.count(u'\n') <= 40);
        check(shown == text ||
              (shown.endsWith(QStringLiteral("\n…")) && text.startsWith(shown.chopped(2))));
        check(userCheck == before || (before && messages.size() == 2));
    }
    return 0;
}
