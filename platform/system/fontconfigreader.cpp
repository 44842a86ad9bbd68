#include "system/fontconfigreader.h"

#include <dlfcn.h>
#include <sys/resource.h>
#include <future>
#include <mutex>

namespace sys {

namespace {

std::once_flag started;
std::shared_future<void> reading;

}  // namespace

void FontConfigReader::start() {
    std::call_once(started, [] {
        // Opened here, not on the thread: while a library is being opened no other thread
        // can start, and the program starts its own right after. Its calls are bound as the
        // thread makes them.
        void* library = dlopen("libfontconfig.so.1", RTLD_LAZY);
        if (!library) return;
        using Init = int (*)();
        const auto init = reinterpret_cast<Init>(dlsym(library, "FcInit"));
        if (!init) return;
        reading = std::async(std::launch::async, [init] {
                      // The window's loading is what the first paint waits for: this thread yields
                      // to it.
                      setpriority(PRIO_PROCESS, 0, 10);  // this thread only
                      init();
                  }).share();
    });
}

void FontConfigReader::wait() {
    if (reading.valid()) reading.wait();
}

}  // namespace sys
