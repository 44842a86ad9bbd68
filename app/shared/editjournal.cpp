#include "editjournal.h"

void EditJournal::open(const QString& text, Scope scope, int mergeKey) {
    if (depth_++ == 0) emit stepOpened(text, scope, mergeKey);
}

void EditJournal::close() {
    if (depth_ == 0) return;
    if (--depth_ == 0) emit stepClosed();
}
