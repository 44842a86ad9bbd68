#include "mimeappslist.h"

#include <QList>

namespace sys {

namespace {

const QByteArray kSection = "[Default Applications]";

bool isSection(const QByteArray& line) {
    return line.trimmed().startsWith('[');
}

bool setsKey(const QByteArray& line, const QByteArray& key) {
    const qsizetype equals = line.indexOf('=');
    return equals > 0 && line.left(equals).trimmed() == key;
}

}  // namespace

QByteArray MimeAppsList::withDefault(const QByteArray& text, const QString& mimeType,
                                     const QString& desktopId) {
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    const QByteArray key = mimeType.toUtf8();
    const QByteArray line = key + '=' + desktopId.toUtf8() + ';';

    qsizetype section = -1;
    for (qsizetype i = 0; i < lines.size() && section < 0; ++i)
        if (lines[i].trimmed() == kSection) section = i;
    if (section < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty()) lines << QByteArray();
        lines << kSection << line;
        return lines.join('\n') + '\n';
    }
    qsizetype i = section + 1;
    for (; i < lines.size() && !isSection(lines[i]); ++i) {
        if (!setsKey(lines[i], key)) continue;
        lines[i] = line;
        return lines.join('\n') + '\n';
    }
    while (i > section + 1 && lines[i - 1].trimmed().isEmpty()) --i;
    lines.insert(i, line);
    return lines.join('\n') + '\n';
}

}  // namespace sys
