#include "dynamiclibrary.h"

#include <dlfcn.h>

#include <algorithm>

namespace midi::detail {

bool DynamicLibrary::load() {
    std::call_once(once_, [this] {
        void* library = dlopen(soname_, RTLD_NOW | RTLD_LOCAL);
        loaded_ = library != nullptr;
        for (int call = 0; loaded_ && call < count_; ++call)
            loaded_ = (addresses_[call] = dlsym(library, names_[call])) != nullptr;
        // Every call found, or none: a library lacking one is not used at all.
        if (!loaded_) std::fill(addresses_, addresses_ + count_, nullptr);
    });
    return loaded_;
}

}  // namespace midi::detail
