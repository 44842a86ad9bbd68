#include "printing.h"

#include "shared/programmodule.h"

Printing* Printing::instance() {
    using Entry = Printing* (*)();
    static Printing* const printing = [] {
        const auto entry = reinterpret_cast<Entry>(
            programmodule::entry(BEATLOFT_PRINT_MODULE, "beatloftPrinting"));
        return entry ? entry() : nullptr;
    }();
    return printing;
}
