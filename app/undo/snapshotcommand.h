#pragma once

#include "undo/editstate.h"

#include <QUndoCommand>
#include <functional>

class Form1;

// A step kept as the states before and after it. It is pushed after the edit has been made,
// so its first redo does nothing. With a merge key it takes in the following step of the
// same text and key (the keystrokes of one typing, the rotations of one held button).
class SnapshotCommand : public QUndoCommand {
public:
    // Puts a state on screen; the history wraps it so it can tell its own changes apart.
    using Restore = std::function<void(const EditState&)>;

    SnapshotCommand(const QString& text, int mergeKey, EditState before, EditState after,
                    Restore restore);

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

    const EditState& after() const { return after_; }

private:
    int mergeKey_;
    EditState before_;
    EditState after_;
    Restore restore_;
    bool done_ = true;  // the edit is on screen when the command is pushed
};
