#pragma once

#include <QString>

namespace sys {

enum class MessageButtons {
    Ok,
    OkCancel,
    AbortRetryIgnore,
    YesNoCancel,
    YesNo,
    RetryCancel,
    SaveDiscardCancel  // "Speichern", "Verwerfen", "Abbrechen": before work would be lost
};
enum class MessageIcon { None, Critical, Question, Exclamation, Information };
enum class MessageAnswer { Ok = 1, Cancel, Abort, Retry, Ignore, Yes, No, Save, Discard };

struct MessageRequest {
    QString text;
    QString title;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
};

struct InputRequest {
    QString prompt;
    QString title;
    QString defaultText;
};

// A file dialog as the program prepares it. The filter uses the "Description|pattern|..."
// form; fileName is the proposed path (may be empty).
struct FileRequest {
    QString title;
    QString fileName;
    QString defaultExt;
    QString filter;
};

// Every modal question the program or a control asks goes through the installed Dialogs,
// so a test can answer it and a headless run can print it instead.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // An empty title stands for the application title.
    MessageAnswer message(const QString& text, MessageButtons buttons = MessageButtons::Ok,
                          MessageIcon icon = MessageIcon::None, const QString& title = {});
    // The answer, or an empty text when the box was cancelled.
    QString input(const QString& prompt, const QString& title, const QString& defaultText);
    // The chosen path, or an empty text when the dialog was cancelled.
    QString openFile(const FileRequest& request);
    QString saveFile(const FileRequest& request);

    // The installed dialogs; else the Qt dialogs where the window library is loaded, and
    // messages on stderr where it is not.
    static Dialogs& current();
    // Installs a replacement (not owned); nullptr returns to the default.
    static void install(Dialogs* dialogs);
    // Made the default by the window library as it loads (not owned).
    static void setWindowDefault(Dialogs* dialogs);
    // The caption of every box that names none of its own ("Beatloft" unless a host sets one).
    static QString applicationTitle();
    static void setApplicationTitle(const QString& title);

protected:
    virtual MessageAnswer showMessage(const MessageRequest& request) = 0;
    virtual QString showInput(const InputRequest& request) = 0;
    virtual QString showOpenFile(const FileRequest& request) = 0;
    virtual QString showSaveFile(const FileRequest& request) = 0;
};

}  // namespace sys
