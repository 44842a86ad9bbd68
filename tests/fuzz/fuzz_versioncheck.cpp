// Feeds arbitrary bytes to the version parser and the reply evaluation as a version host's
// chunk or a report host's datagram would reach them. Checks that the verdict stays within
// its levels and that a reply opens at most two boxes, the first showing the datagram.
#include "netcheck/versionparser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = QString::fromLocal8Bit(bytes);
    const std::optional<AnswerVerdict> verdict = versionparser::judge(text);
    if (verdict) {
        if (verdict->difference < 0 || verdict->difference > 3) std::abort();
        if ((verdict->difference > 0) == verdict->announcement.isEmpty()) std::abort();
    }
    for (bool userCheck : {false, true}) {
        const bool before = userCheck;
        const QStringList messages = versionparser::replyMessages(bytes, userCheck);
        if (messages.isEmpty() || messages.size() > 2 || messages.first() != text) std::abort();
        if (userCheck != before && (!before || messages.size() != 2)) std::abort();
    }
    return 0;
}
