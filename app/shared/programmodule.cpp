#include "programmodule.h"

#include <dlfcn.h>
#include <cstdio>
#include <cstdlib>

namespace programmodule {

namespace {

// A module's libraries (Qt's widgets and GUI among them) look up most of the names they use
// in each other. Bound deep, they search their own libraries first, not every library the
// program started with before them: that search was most of the time a module took to open.
// A preloaded library (an allocator, a tracer) must stay ahead of all others, and the
// sanitizers' runtime refuses deep binding: the module is then opened plainly.
int bindingFlags() {
#if defined(__SANITIZE_ADDRESS__)
    return 0;
#else
    const char* preload = std::getenv("LD_PRELOAD");
    return preload && *preload ? 0 : RTLD_DEEPBIND;
#endif
}

}  // namespace

// The search follows the RUNPATH of the library this code is linked into, which names the
// folder of the program's own libraries.
void* entry(const char* fileName, const char* entryName) {
    void* module = dlopen(fileName, RTLD_LAZY | RTLD_LOCAL | bindingFlags());
    void* found = module ? dlsym(module, entryName) : nullptr;
    if (!found) {
        const char* why = dlerror();
        std::fprintf(stderr, "beatloft: %s\n", why ? why : fileName);
    }
    return found;
}

}  // namespace programmodule
