#include "qtdialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <utility>

namespace sys {

namespace {

QMessageBox::StandardButtons standardButtons(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok:
            return QMessageBox::Ok;
        case MessageButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MessageButtons::AbortRetryIgnore:
            return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
        case MessageButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MessageButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::RetryCancel:
            return QMessageBox::Retry | QMessageBox::Cancel;
        case MessageButtons::SaveDiscardCancel:
            return QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::None:
            return QMessageBox::NoIcon;
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

MessageAnswer answerOf(int button) {
    switch (button) {
        case QMessageBox::Cancel:
            return MessageAnswer::Cancel;
        case QMessageBox::Abort:
            return MessageAnswer::Abort;
        case QMessageBox::Retry:
            return MessageAnswer::Retry;
        case QMessageBox::Ignore:
            return MessageAnswer::Ignore;
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        case QMessageBox::Save:
            return MessageAnswer::Save;
        case QMessageBox::Discard:
            return MessageAnswer::Discard;
        default:
            return MessageAnswer::Ok;
    }
}

// The question before work is lost names its answers in the program's language, whatever
// language Qt's own buttons speak.
void nameSaveButtons(QMessageBox& box) {
    const std::pair<QMessageBox::StandardButton, const char*> names[] = {
        {QMessageBox::Save, QT_TRANSLATE_NOOP("sys::QtDialogs", "Speichern")},
        {QMessageBox::Discard, QT_TRANSLATE_NOOP("sys::QtDialogs", "Verwerfen")},
        {QMessageBox::Cancel, QT_TRANSLATE_NOOP("sys::QtDialogs", "Abbrechen")}};
    for (const auto& [button, name] : names)
        box.button(button)->setText(QCoreApplication::translate("sys::QtDialogs", name));
}

QString suffixOf(const QString& defaultExt) {
    QString suffix = defaultExt;
    while (suffix.startsWith(QLatin1Char('.'))) suffix.remove(0, 1);
    return suffix;
}

QString runFileDialog(const FileRequest& request, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(QApplication::activeWindow(), request.title, request.fileName,
                       QtDialogs::qtFilter(request.filter));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffixOf(request.defaultExt));
    if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace

QString QtDialogs::qtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return entries.join(QStringLiteral(";;"));
}

MessageAnswer QtDialogs::showMessage(const MessageRequest& request) {
    QMessageBox box(boxIcon(request.icon), request.title, request.text,
                    standardButtons(request.buttons), QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);  // texts name files and user input: never markup
    if (request.buttons == MessageButtons::SaveDiscardCancel) {
        nameSaveButtons(box);
        box.setDefaultButton(QMessageBox::Save);
        box.setEscapeButton(QMessageBox::Cancel);
    }
    return answerOf(box.exec());
}

QString QtDialogs::showInput(const InputRequest& request) {
    bool accepted = false;
    const QString text =
        QInputDialog::getText(QApplication::activeWindow(), request.title, request.prompt,
                              QLineEdit::Normal, request.defaultText, &accepted);
    return accepted ? text : QString();
}

QString QtDialogs::showOpenFile(const FileRequest& request) {
    return runFileDialog(request, QFileDialog::AcceptOpen);
}

QString QtDialogs::showSaveFile(const FileRequest& request) {
    return runFileDialog(request, QFileDialog::AcceptSave);
}

namespace {
// Loading the window library makes Qt's dialogs the default.
QtDialogs windowDialogs;
[[maybe_unused]] const bool madeDefault = (Dialogs::setWindowDefault(&windowDialogs), true);
}  // namespace

}  // namespace sys
