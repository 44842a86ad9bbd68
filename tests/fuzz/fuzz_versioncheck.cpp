// Feeds arbitrary bytes to the version parser as a chunk of the version host's answer would
// reach it. Checks that the verdict stays within its levels, that the version is made of
// numbers only and that the announcement holds nothing else of the answer.
#include "netcheck/versionparser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

// Digits only, without leading zeros; empty for a part the answer did not hold.
bool isNumber(const QString& part) {
    if (part.size() > 20 || (part.size() > 1 && part.startsWith(u'0'))) return false;
    for (const QChar c : part)
        if (c < u'0' || c > u'9') return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromLocal8Bit(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const std::optional<AnswerVersion> version = versionparser::parse(text);
    const std::optional<AnswerVerdict> verdict = versionparser::judge(text);
    check(version.has_value() == verdict.has_value());
    if (!verdict) return 0;
    check(isNumber(version->major) && isNumber(version->minor) && isNumber(version->revision));
    check(verdict->difference >= 0 && verdict->difference <= 3);
    check((verdict->difference > 0) != verdict->announcement.isEmpty());
    check(verdict->announcement.size() <= 128);
    return 0;
}
