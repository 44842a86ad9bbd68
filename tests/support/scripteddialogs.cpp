#include "scripteddialogs.h"

#include <QTest>

ScriptedDialogs::ScriptedDialogs() {
    sys::Dialogs::install(this);
}

ScriptedDialogs::~ScriptedDialogs() {
    sys::Dialogs::install(nullptr);
}

void ScriptedDialogs::answerMessage(sys::MessageAnswer answer) {
    script_.append({Kind::Message, answer, {}});
}

void ScriptedDialogs::answerInput(const QString& text) {
    script_.append({Kind::Input, {}, text});
}

void ScriptedDialogs::answerOpenFile(const QString& path) {
    script_.append({Kind::OpenFile, {}, path});
}

void ScriptedDialogs::answerSaveFile(const QString& path) {
    script_.append({Kind::SaveFile, {}, path});
}

QStringList ScriptedDialogs::messageTexts() const {
    QStringList texts;
    for (const Shown& s : shown_)
        if (s.kind == Kind::Message) texts << s.text;
    return texts;
}

void ScriptedDialogs::clear() {
    script_.clear();
    shown_.clear();
}

bool ScriptedDialogs::take(Kind kind, const QString& what, Answer* answer) {
    if (script_.isEmpty() || script_.constFirst().kind != kind) {
        const QString failure = QStringLiteral("unanswered dialog: %1").arg(what);
        QTest::qFail(qPrintable(failure), __FILE__, __LINE__);
        return false;
    }
    *answer = script_.takeFirst();
    return true;
}

sys::MessageAnswer ScriptedDialogs::showMessage(const sys::MessageRequest& request) {
    shown_.append(
        {Kind::Message, request.text, request.title, request.buttons, request.icon, {}, {}});
    Answer answer;
    if (!take(Kind::Message, QStringLiteral("message \"%1\"").arg(request.text), &answer))
        return sys::MessageAnswer::Cancel;
    return answer.message;
}

QString ScriptedDialogs::showInput(const sys::InputRequest& request) {
    Shown shown{Kind::Input, request.prompt, request.title, {}, {}, request.defaultText, {}};
    shown_.append(shown);
    Answer answer;
    if (!take(Kind::Input, QStringLiteral("input \"%1\"").arg(request.prompt), &answer)) return {};
    return answer.text;
}

QString ScriptedDialogs::fileAnswer(Kind kind, const sys::FileRequest& request) {
    shown_.append({kind, {}, request.title, {}, {}, {}, request});
    Answer answer;
    if (!take(kind, QStringLiteral("file dialog \"%1\"").arg(request.title), &answer)) return {};
    return answer.text;
}

QString ScriptedDialogs::showOpenFile(const sys::FileRequest& request) {
    return fileAnswer(Kind::OpenFile, request);
}

QString ScriptedDialogs::showSaveFile(const sys::FileRequest& request) {
    return fileAnswer(Kind::SaveFile, request);
}
