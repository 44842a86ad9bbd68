#pragma once

#include <QObject>
#include <thread>

class QWidget;

// The memory a window's first paint draws into, made ready while the rest of the window is
// built. Shown, the window is given its backing store at its size at once, and a thread maps
// the store's pages in; otherwise the first paint takes a page fault for every 4 KB it draws
// (about a millisecond for the main window) and makes the store on its way.
class BackingStoreAhead : public QObject {
public:
    // Starts on a shown window; the object, a child of the window, ends with it. Nothing
    // (nullptr) where the window has no store in memory to map.
    static BackingStoreAhead* prepare(QWidget* window);

private:
    BackingStoreAhead(QWidget* window, const uchar* pages, qsizetype bytes);

    std::jthread mapping_;
};
