#pragma once

#include "dialogs.h"

#include <cstdio>

namespace sys {

// Dialogs for runs without a window: every message is printed on a stream (stderr by
// default) and answered at once with the box's first button; nothing waits for input.
class ConsoleDialogs : public Dialogs {
public:
    explicit ConsoleDialogs(FILE* stream = stderr) : stream_(stream) {}

protected:
    MessageAnswer showMessage(const MessageRequest& request) override;
    QString showInput(const InputRequest& request) override;
    QString showOpenFile(const FileRequest& request) override;
    QString showSaveFile(const FileRequest& request) override;

private:
    FILE* stream_;
};

}  // namespace sys
