// A test that meets a dialog nobody answered; tst_dialogs runs it and expects a failure.
#include "scripteddialogs.h"

#include <QTest>

class ProbeUnansweredDialog : public QObject {
    Q_OBJECT

private slots:
    void unansweredMessage() {
        ScriptedDialogs dialogs;
        sys::Dialogs::current().message(QStringLiteral("Niemand antwortet"));
    }
};

QTEST_MAIN(ProbeUnansweredDialog)
#include "probe_unanswered_dialog.moc"
