#include "programmodule.h"

#include <dlfcn.h>
#include <cstdio>

namespace programmodule {

// The search follows the RUNPATH of the library this code is linked into, which names the
// folder of the program's own libraries.
void* entry(const char* fileName, const char* entryName) {
    void* module = dlopen(fileName, RTLD_LAZY | RTLD_LOCAL);
    void* found = module ? dlsym(module, entryName) : nullptr;
    if (!found) {
        const char* why = dlerror();
        std::fprintf(stderr, "beatloft: %s\n", why ? why : fileName);
    }
    return found;
}

}  // namespace programmodule
