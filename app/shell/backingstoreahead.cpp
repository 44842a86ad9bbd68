#include "backingstoreahead.h"

#include <sys/mman.h>
#include <unistd.h>
#include <QBackingStore>
#include <QImage>
#include <QWidget>

BackingStoreAhead* BackingStoreAhead::prepare(QWidget* window) {
    QBackingStore* store = window->backingStore();
    if (!store) return nullptr;
    store->resize(window->size());  // the first paint finds it sized and keeps it
    const QPaintDevice* device = store->paintDevice();
    if (!device || device->devType() != QInternal::Image) return nullptr;
    const auto* image = static_cast<const QImage*>(device);
    if (image->isNull()) return nullptr;
    return new BackingStoreAhead(window, image->constBits(), image->sizeInBytes());
}

BackingStoreAhead::BackingStoreAhead(QWidget* window, const uchar* pages, qsizetype bytes)
    : QObject(window) {
    const auto page = uintptr_t(sysconf(_SC_PAGESIZE));
    const uintptr_t start = uintptr_t(pages) & ~(page - 1);
    const size_t length = uintptr_t(pages) + size_t(bytes) - start;
    // Faults the pages in for writing without touching what they hold; a kernel without
    // the request leaves them to the paint.
    mapping_ = std::jthread(
        [start, length] { madvise(reinterpret_cast<void*>(start), length, MADV_POPULATE_WRITE); });
}
