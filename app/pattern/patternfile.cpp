#include "patternfile.h"

#include "form1.h"
#include "pattern/patternreader.h"
#include "pattern/patternview.h"
#include "shared/dialogfolders.h"
#include "shared/editstep.h"
#include "shared/numericvalue.h"
#include "shared/windowscodepage.h"
#include "system/dialogs.h"
#include "system/safefilewriter.h"

#include <QDir>
#include <QLineEdit>

namespace {

const QString kDefaultName = QStringLiteral("PatNam");
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

QString PatternFile::filter() {
    return tr("Pattern (.drm)|*.drm|Alle Dateien|*.*");
}

bool PatternFile::SavePatternFile() {
    auto& dialogs = sys::Dialogs::current();
    if (form_.txtPatNam->text() == kDefaultName)
        form_.txtPatNam->setText(
            dialogs.input(tr("Geben Sie bitte einen Namen für das Pattern ein!"),
                          tr("Pattern Name"), kDefaultName));
    const QString proposed = dialogfolders::folder(dialogfolders::Kind::Patterns, form_.DataPath) +
                             QLatin1Char('/') + form_.txtPatNam->text() + QStringLiteral(".drm");
    const QString path =
        dialogs.saveFile({tr("Pattern speichern"), proposed, QStringLiteral(".drm"), filter()});
    if (path.isEmpty()) return false;  // cancelled: nothing is written
    dialogfolders::remember(dialogfolders::Kind::Patterns, path);
    if (!writeFile(path, format(contentsOf(view_.pattern())))) {
        dialogs.message(tr("Das Pattern konnte nicht gespeichert werden:\n%1")
                            .arg(QDir::toNativeSeparators(path)),
                        sys::MessageButtons::Ok, sys::MessageIcon::Critical);
        return false;
    }
    emit saved(path);
    return true;
}

bool PatternFile::writeFile(const QString& path, const QByteArray& bytes) const {
    return sys::SafeFileWriter::writeFile(path, bytes);
}

bool PatternFile::LoadPatternFile() {
    EditStep step(form_.edits, form_.MixMode ? tr("Mische Spuren ein") : tr("Pattern öffnen"));
    QString path = form_.PendingFile;
    form_.PendingFile.clear();
    const bool chosen = path.isEmpty();
    if (chosen) {
        const QString folder = dialogfolders::folder(dialogfolders::Kind::Patterns, form_.DataPath);
        path = sys::Dialogs::current().openFile({tr("Pattern laden"),
                                                 folder + QStringLiteral("/*.drm"),
                                                 QStringLiteral(".drm"), filter()});
        dialogfolders::remember(dialogfolders::Kind::Patterns, path);
    }
    const bool opening = !form_.MixMode;
    const bool complete = !path.isEmpty() && readInto(path);
    form_.MixMode = true;
    if (complete && opening && chosen) emit opened(path);
    return complete;
}

bool PatternFile::openDocument(const QString& path) {
    form_.PendingFile = path;
    form_.MixMode = false;
    const bool complete = LoadPatternFile();
    if (complete) emit opened(path);
    return complete;
}

bool PatternFile::readInto(const QString& path) {
    QByteArray bytes;
    if (!PatternReader::readBytes(path, &bytes)) return false;
    bool replace = true;
    if (form_.MixMode)
        replace = sys::Dialogs::current().message(
                      tr("Spuren ersetzen?"), sys::MessageButtons::YesNo) != sys::MessageAnswer::No;
    PatternReader reader(bytes, form_.MixMode, replace);
    Pattern pattern = view_.pattern();
    const bool complete = reader.read(&pattern);
    view_.show(pattern);  // what was read before a damage stays
    if (reader.unassigned() > 0)
        sys::Dialogs::current().message(
            tr("%1 Instrument(e) konnten nicht zugewiesen werden!").arg(reader.unassigned()));
    return complete;
}
