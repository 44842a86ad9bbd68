#include "snapshotcommand.h"

namespace {
constexpr int kMergeableId = 1;
}

SnapshotCommand::SnapshotCommand(const QString& text, int mergeKey, EditState before,
                                 EditState after, Restore restore)
    : QUndoCommand(text),
      mergeKey_(mergeKey),
      before_(std::move(before)),
      after_(std::move(after)),
      restore_(std::move(restore)) {}

void SnapshotCommand::undo() {
    restore_(before_);
    done_ = false;
}

void SnapshotCommand::redo() {
    if (!done_) restore_(after_);
    done_ = true;
}

int SnapshotCommand::id() const {
    return mergeKey_ != 0 ? kMergeableId : -1;
}

// A merge that ends where it began leaves nothing to undo.
bool SnapshotCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const SnapshotCommand*>(other);
    if (next->mergeKey_ != mergeKey_ || next->text() != text()) return false;
    after_ = next->after_;
    setObsolete(after_ == before_);
    return true;
}
