#include "patternfile.h"

#include "form1.h"
#include "pattern/patternreader.h"
#include "pattern/patternview.h"
#include "shared/dialogfolders.h"
#include "shared/editstep.h"
#include "system/dialogs.h"
#include "system/safefilewriter.h"

#include <QDir>
#include <QLineEdit>

namespace {
const QString kDefaultName = QStringLiteral("PatNam");
}  // namespace

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
