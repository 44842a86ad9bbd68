#include "midiimportcommand.h"

#include "form1.h"
#include "midifile/midiimport.h"
#include "pattern/patternreader.h"
#include "pattern/patternview.h"
#include "shared/editstep.h"
#include "system/dialogs.h"

#include <QFileInfo>

QString MidiImportCommand::filter() {
    return tr("Midi (.mid)|*.mid;*.midi|Alle Dateien|*.*");
}

bool MidiImportCommand::run() {
    sys::Dialogs& dialogs = sys::Dialogs::current();
    const QString path = dialogs.openFile(
        {tr("Midi-Datei importieren"), QString(), QStringLiteral(".mid"), filter()});
    if (path.isEmpty()) return false;
    QByteArray bytes;
    QString error = tr("nicht lesbar");
    std::optional<MidiImport::Result> result;
    if (PatternReader::readBytes(path, &bytes))
        result = MidiImport::fromBytes(bytes, view_.pattern(), QFileInfo(path).completeBaseName(),
                                       &error);
    if (!result) {
        dialogs.message(tr("Midi-Datei kann nicht gelesen werden: %1").arg(error) +
                        QLatin1Char('\n') + path);
        return false;
    }
    EditStep step(form_.edits, tr("Midi-Datei importieren"));
    view_.show(result->pattern);
    if (!result->unassigned.isEmpty())
        dialogs.message(MidiImport::unassignedText(result->unassigned));
    if (result->cut) dialogs.message(MidiImport::cutText());
    return true;
}
