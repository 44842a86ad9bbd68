#pragma once

#include "system/dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

// Answers the program's dialogs from a script, in order, and records everything shown.
// A dialog with no scripted answer fails the running test at once and is answered with
// Cancel (or an empty text), so no test can hang on a modal window.
// Installs itself on construction and uninstalls on destruction.
class ScriptedDialogs : public sys::Dialogs {
public:
    enum class Kind { Message, Input, OpenFile, SaveFile };

    struct Shown {
        Kind kind;
        QString text;  // message text or input prompt
        QString title;
        sys::MessageButtons buttons = sys::MessageButtons::Ok;
        sys::MessageIcon icon = sys::MessageIcon::None;
        QString defaultText;    // input box
        sys::FileRequest file;  // file dialogs
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    void answerMessage(sys::MessageAnswer answer);
    void answerInput(const QString& text);
    void answerOpenFile(const QString& path);  // empty: cancelled
    void answerSaveFile(const QString& path);  // empty: cancelled

    const QList<Shown>& shown() const { return shown_; }
    QStringList messageTexts() const;
    int unusedAnswers() const { return int(script_.size()); }
    void clear();

protected:
    sys::MessageAnswer showMessage(const sys::MessageRequest& request) override;
    QString showInput(const sys::InputRequest& request) override;
    QString showOpenFile(const sys::FileRequest& request) override;
    QString showSaveFile(const sys::FileRequest& request) override;

private:
    struct Answer {
        Kind kind;
        sys::MessageAnswer message = sys::MessageAnswer::Ok;
        QString text;
    };
    // The next answer if it is of the given kind; otherwise the test fails.
    bool take(Kind kind, const QString& what, Answer* answer);
    QString fileAnswer(Kind kind, const sys::FileRequest& request);

    QList<Answer> script_;
    QList<Shown> shown_;
};
