#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The version number found in an answer of the version host or the report host: the three
// numbers read from it, in decimal without leading zeros. An empty part (not in the answer)
// counts as 0.
struct AnswerVersion {
    QString major;
    QString minor;
    QString revision;
};

// How an answer compares with the running version.
struct AnswerVerdict {
    // D: 3 for a higher major, 2 for a higher minor, 1 for a higher revision number, else 0.
    int difference = 0;
    // The news of the newer version, for the about box or a message box (D > 0 only).
    QString announcement;
};

namespace versionparser {

// Reads the version from the line after "[Version]" (or, with no CR LF after it, from right
// after it); each part keeps only the digits it begins with. Nothing when the text holds no
// "[Version]" or a part does not begin with a digit.
std::optional<AnswerVersion> parse(const QString& text);

// D of an answer's version against the running version.
int difference(const AnswerVersion& version);

// "Neuere Version a.b.c verfügbar!", CR LF, "Die vorliegende Version ist:", CR LF, the
// running version; a, b and c are the answer's numbers, 0 for a missing part.
QString announcement(const AnswerVersion& version);

// The verdict on a received text; nothing when it carries no version.
std::optional<AnswerVerdict> judge(const QString& text);

// The message boxes a reply datagram from the report host opens, in order: its text (a
// screenful of it), then the news of a newer version or, for a check the user started, that there
// is none. The latter ends the user's check (userCheck becomes false).
QStringList replyMessages(const QByteArray& datagram, bool& userCheck);

// The text as it fits a message box on the screen: its first 40 lines, then a line "…" when
// there are more.
QString screenful(const QString& text);

// The answer to a check the user started when nothing newer was found.
QString noNewVersionText();

}  // namespace versionparser
