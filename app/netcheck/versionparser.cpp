#include "versionparser.h"

#include "shared/appversion.h"
#include "shared/numericvalue.h"

#include <QCoreApplication>

namespace versionparser {

namespace {

const QString kMarker = QStringLiteral("[Version]");
const QString kCrLf = QStringLiteral("\r\n");

// The positions below count from 1, and 0 stands for "not found", as the rules are written.
qsizetype find(const QString& text, const QString& what, qsizetype from) {
    if (from < 1 || from > text.size()) return 0;
    const qsizetype index = text.indexOf(what, from - 1);
    return index < 0 ? 0 : index + 1;
}

QString piece(const QString& text, qsizetype start, qsizetype length) {
    if (length <= 0 || start < 1) return {};
    return text.mid(start - 1, length);
}

// No version number has more digits than a 64-bit number.
constexpr qsizetype kMaxDigits = 20;
constexpr qsizetype kReplyLines = 40;

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// A version part as the number it begins with: blanks skipped, then its digits, written
// again without leading zeros; whatever follows them is dropped. An empty part stays empty;
// nothing when a part does not begin with a digit or has too many of them.
std::optional<QString> numberOf(const QString& part) {
    if (part.isEmpty()) return QString();
    qsizetype start = 0;
    while (start < part.size() && (part[start] == u' ' || part[start] == u'\t')) ++start;
    qsizetype end = start;
    while (end < part.size() && isDigit(part[end])) ++end;
    if (end == start || end - start > kMaxDigits) return std::nullopt;
    while (end - start > 1 && part[start] == u'0') ++start;
    return part.mid(start, end - start);
}

QString numberText(const QString& part) {
    return part.isEmpty() ? QStringLiteral("0") : part;
}

}  // namespace

std::optional<AnswerVersion> parse(const QString& text) {
    const qsizetype p = find(text, kMarker, 1);
    if (p == 0) return std::nullopt;
    qsizetype q = find(text, kCrLf, p + kMarker.size());
    if (q == 0) q = p + 7;  // q + 2 is then the position right after "[Version]"
    AnswerVersion version;
    const qsizetype r1 = find(text, QStringLiteral("."), q + 1);
    // Without a dot after the version line's start there is no major number, and the minor
    // and revision numbers are not looked for elsewhere in the text either.
    if (r1 > q) {
        version.major = piece(text, q + 2, r1 - q - 2);
        const qsizetype r2 = find(text, QStringLiteral("."), r1 + 1);
        if (r2 > r1) {
            version.minor = piece(text, r1 + 1, r2 - r1 - 1);
            qsizetype r3 = find(text, kCrLf, r2 + 1);
            if (r3 == 0) r3 = text.size() + 1;
            version.revision = piece(text, r2 + 1, r3 - r2 - 1);
        }
    }
    for (QString* part : {&version.major, &version.minor, &version.revision}) {
        const std::optional<QString> number = numberOf(*part);
        if (!number) return std::nullopt;
        *part = *number;
    }
    return version;
}

int difference(const AnswerVersion& version) {
    const double major = numericValue(version.major);
    const double minor = numericValue(version.minor);
    const double revision = numericValue(version.revision);
    if (major > appversion::kMajor) return 3;
    if (major != appversion::kMajor) return 0;
    if (minor > appversion::kMinor) return 2;
    if (minor == appversion::kMinor && revision > appversion::kRevision) return 1;
    return 0;
}

QString announcement(const AnswerVersion& version) {
    const QString number = numberText(version.major) + '.' + numberText(version.minor) + '.' +
                           numberText(version.revision);
    return QCoreApplication::translate("VersionParser", "Neuere Version %1 verfügbar!")
               .arg(number) +
           kCrLf + QCoreApplication::translate("VersionParser", "Die vorliegende Version ist:") +
           kCrLf + appversion::text();
}

std::optional<AnswerVerdict> judge(const QString& text) {
    const std::optional<AnswerVersion> version = parse(text);
    if (!version) return std::nullopt;
    AnswerVerdict verdict;
    verdict.difference = difference(*version);
    if (verdict.difference > 0) verdict.announcement = announcement(*version);
    return verdict;
}

QStringList replyMessages(const QByteArray& datagram, bool& userCheck) {
    const QString text = QString::fromLocal8Bit(datagram);
    QStringList messages{screenful(text)};
    const std::optional<AnswerVerdict> verdict = judge(text);
    if (!verdict) return messages;
    if (verdict->difference > 0) {
        messages << verdict->announcement;
    } else if (userCheck) {
        userCheck = false;
        messages << noNewVersionText();
    }
    return messages;
}

QString screenful(const QString& text) {
    const QStringList lines = text.split(u'\n');
    if (lines.size() <= kReplyLines) return text;
    return lines.first(kReplyLines).join(u'\n') + QStringLiteral("\n…");
}

QString noNewVersionText() {
    return QCoreApplication::translate("VersionParser", "keine neue Version verfügbar");
}

}  // namespace versionparser
