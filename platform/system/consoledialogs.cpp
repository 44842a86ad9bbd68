#include "consoledialogs.h"

namespace sys {

MessageAnswer ConsoleDialogs::showMessage(const MessageRequest& request) {
    std::fprintf(stream_, "%s: %s\n", qUtf8Printable(request.title), qUtf8Printable(request.text));
    std::fflush(stream_);
    switch (request.buttons) {
        case MessageButtons::Ok:
        case MessageButtons::OkCancel:
            return MessageAnswer::Ok;
        case MessageButtons::AbortRetryIgnore:
            return MessageAnswer::Abort;
        case MessageButtons::YesNoCancel:
        case MessageButtons::YesNo:
            return MessageAnswer::Yes;
        case MessageButtons::RetryCancel:
            return MessageAnswer::Retry;
        case MessageButtons::SaveDiscardCancel:  // nobody to ask: nothing is decided
            return MessageAnswer::Cancel;
    }
    return MessageAnswer::Ok;
}

QString ConsoleDialogs::showInput(const InputRequest& request) {
    return request.defaultText;
}

QString ConsoleDialogs::showOpenFile(const FileRequest& request) {
    return request.fileName;
}

QString ConsoleDialogs::showSaveFile(const FileRequest& request) {
    return request.fileName;
}

}  // namespace sys
