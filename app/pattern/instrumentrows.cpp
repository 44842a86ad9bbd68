#include "instrumentrows.h"

#include "pattern/instrumentlist.h"
#include "pattern/patternview.h"
#include "system/dialogs.h"
#include "system/programfolder.h"

QList<Instrument> InstrumentRows::read(int rows, bool* tooMany) {
    const InstrumentList list = InstrumentList::read(
        sys::ProgramFolder::path() + QStringLiteral("/Instrumentation.txt"), rows);
    if (tooMany) *tooMany = list.tooMany;
    QList<Instrument> instruments;
    for (const InstrumentList::Row& row : list.rows) instruments << Instrument{row.name, row.note};
    return instruments;
}

Pattern InstrumentRows::startPattern() {
    Pattern pattern;
    pattern.setInstruments(read(pattern.rows()));
    return pattern;
}

void InstrumentRows::readInstrumentList() {
    bool tooMany = false;
    Pattern pattern = view_.pattern();
    QList<Instrument> rows = pattern.instruments();  // rows the list does not name stay
    const QList<Instrument> named = read(pattern.rows(), &tooMany);
    for (qsizetype k = 0; k < named.size() && k < rows.size(); ++k) rows[k] = named[k];
    pattern.setInstruments(rows);
    view_.show(pattern);
    if (tooMany)
        sys::Dialogs::current().message(tr("Zu viele Elemente!"), sys::MessageButtons::Ok,
                                        sys::MessageIcon::Exclamation);
}
