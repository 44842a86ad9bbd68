#include "system/fontconfigreader.h"

#include <dlfcn.h>
#include <sys/resource.h>
#include <future>
#include <mutex>

namespace sys {

namespace {

using Init = int (*)();

std::once_flag started;
std::shared_future<void> reading;

// The window's loading is what the first paint waits for: the reading yields to it.
void readConfiguration(Init init) {
    setpriority(PRIO_PROCESS, 0, 10);  // the calling thread only
    init();
}

}  // namespace

void FontConfigReader::start() {
    std::call_once(started, [] {
        // Opened here, not on the thread: while a library is being opened no other thread
        // can start, and the program starts its own right after. Its calls are bound as the
        // thread makes them.
        void* library = dlopen("libfontconfig.so.1", RTLD_LAZY);
        const auto init = library ? reinterpret_cast<Init>(dlsym(library, "FcInit")) : nullptr;
        if (init) reading = std::async(std::launch::async, readConfiguration, init).share();
    });
}

void FontConfigReader::wait() {
    if (reading.valid()) reading.wait();
}

}  // namespace sys
