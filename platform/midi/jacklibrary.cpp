#include "jacklibrary.h"

namespace midi::detail {

bool JackLibrary::load() {
    static DynamicLibrary jack(BEATLOFT_JACK_SONAME, jackcall::names, jackcall::addresses,
                               jackcall::kCount);
    return jack.load();
}

}  // namespace midi::detail
