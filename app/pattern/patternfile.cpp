#include "patternfile.h"

#include "pattern/pattern.h"
#include "pattern/patternreader.h"
#include "shared/windowscodepage.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The format has no escape for a double quote; an apostrophe keeps the file readable.
QString quoted(const QString& text) {
    QString safe = text;
    safe.replace(QLatin1Char('"'), QLatin1Char('\''));
    return QLatin1Char('"') + safe + QLatin1Char('"');
}

}  // namespace

QByteArray PatternFile::format(const Contents& contents) {
    QString text = quoted(contents.name) + kCrLf;
    text += QStringLiteral("Taktzahl, %1, Taktnenner, %2, SubDivs, %3, BPM, %4")
                .arg(contents.takt, contents.taktNenner, contents.subDivs, contents.bpm) +
            kCrLf;
    for (const Row& row : contents.rows) {
        text += quoted(row.name) + QLatin1Char(',') + row.note.trimmed() + kCrLf;
        for (int level : row.levels) text += QStringLiteral(" %1 ,").arg(level);
        text += kCrLf;
    }
    return toWindowsCodePage(text);
}

PatternFile::Contents PatternFile::contentsOf(const Pattern& pattern) {
    Contents contents{pattern.name(),
                      pattern.text(Pattern::Takt),
                      pattern.text(Pattern::TaktNenner),
                      pattern.text(Pattern::SubDivs),
                      pattern.text(Pattern::Bpm),
                      {}};
    const double steps = pattern.number(Pattern::Steps);
    for (int r = 1; r <= pattern.rows(); ++r) {
        if (!pattern.rowHasLevel(r)) continue;
        const Instrument& instrument = pattern.instruments()[r - 1];
        Row row{instrument.name, instrument.tag, {}};
        for (int c = 1; c <= steps; ++c) row.levels << pattern.level(c, r);
        contents.rows << row;
    }
    return contents;
}

bool PatternFile::readFile(const QString& path, Pattern* pattern) {
    QByteArray bytes;
    return PatternReader::readBytes(path, &bytes) &&
           PatternReader(bytes, false, true).read(pattern);
}
