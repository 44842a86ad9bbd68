#include "instrumentrows.h"

#include "pattern/patternview.h"
#include "system/dialogs.h"

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
