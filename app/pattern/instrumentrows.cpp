#include "instrumentrows.h"

#include "form1.h"
#include "pattern/instrumentlist.h"
#include "shared/taglabel.h"
#include "system/dialogs.h"
#include "system/programfolder.h"

void InstrumentRows::readInstrumentList() {
    const InstrumentList list = InstrumentList::read(
        sys::ProgramFolder::path() + QStringLiteral("/Instrumentation.txt"), form_.rowCount());
    for (int k = 0; k < list.rows.size() && k + 1 < form_.labelCount(); ++k) {
        form_.Label(k + 1)->setText(list.rows[k].name);
        form_.Label(k + 1)->setTag(list.rows[k].note);
    }
    if (list.tooMany)
        sys::Dialogs::current().message(QStringLiteral("Zu viele Elemente!"),
                                        sys::MessageButtons::Ok, sys::MessageIcon::Exclamation);
}
