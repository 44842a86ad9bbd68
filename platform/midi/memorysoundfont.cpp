#include "memorysoundfont.h"

#include "fluidlibrary.h"

#include <cstdio>
#include <cstring>

namespace midi::detail {

namespace {

// FluidSynth hands the loader a file name: here it names the bytes' address.
constexpr char kNamePrefix[] = "memory:";

struct Cursor {
    const QByteArray* bytes;
    long long position = 0;
};

void* openBytes(const char* name) {
    void* address = nullptr;
    if (std::strncmp(name, kNamePrefix, sizeof kNamePrefix - 1) != 0 ||
        std::sscanf(name + sizeof kNamePrefix - 1, "%p", &address) != 1 || !address)
        return nullptr;
    return new Cursor{static_cast<const QByteArray*>(address)};
}

int readBytes(void* buffer, fluid_long_long_t count, void* handle) {
    auto* cursor = static_cast<Cursor*>(handle);
    if (count < 0 || count > cursor->bytes->size() - cursor->position) return FLUID_FAILED;
    std::memcpy(buffer, cursor->bytes->constData() + cursor->position, size_t(count));
    cursor->position += count;
    return FLUID_OK;
}

int seekBytes(void* handle, fluid_long_long_t offset, int origin) {
    auto* cursor = static_cast<Cursor*>(handle);
    const long long base = origin == SEEK_SET   ? 0
                           : origin == SEEK_CUR ? cursor->position
                                                : cursor->bytes->size();
    if (base + offset < 0 || base + offset > cursor->bytes->size()) return FLUID_FAILED;
    cursor->position = base + offset;
    return FLUID_OK;
}

fluid_long_long_t tellBytes(void* handle) {
    return static_cast<Cursor*>(handle)->position;
}

int closeBytes(void* handle) {
    delete static_cast<Cursor*>(handle);
    return FLUID_OK;
}

}  // namespace

bool MemorySoundFont::load(fluid_settings_t* settings, fluid_synth_t* synth,
                           const QByteArray& bytes) {
    fluid_sfloader_t* loader = new_fluid_defsfloader(settings);
    if (!loader) return false;
    fluid_sfloader_set_callbacks(loader, openBytes, readBytes, seekBytes, tellBytes, closeBytes);
    fluid_synth_add_sfloader(synth, loader);  // the synthesizer deletes it
    char name[64];
    std::snprintf(name, sizeof name, "%s%p", kNamePrefix, static_cast<const void*>(&bytes));
    return fluid_synth_sfload(synth, name, 1) != FLUID_FAILED;
}

}  // namespace midi::detail
