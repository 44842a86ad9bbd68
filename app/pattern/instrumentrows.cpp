#include "instrumentrows.h"

#include "pattern/instrumentlist.h"
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
