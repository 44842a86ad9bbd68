#pragma once

#include "common/dialogpresenter.h"

#include <QDialog>
#include <QLabel>
#include <QList>
#include <QStringList>
#include <QTabWidget>
#include <functional>

// Takes the library's modal dialogs over while it lives: records each one's caption, label
// texts and tab captions and closes it at once, so no test waits on a modal loop.
class PresentedDialogs {
public:
    struct Shown {
        QString title;
        QStringList labels;
        QStringList tabs;
    };

    PresentedDialogs() {
        sonaport::DialogPresenter::install([this](QDialog& dialog) { record(dialog); });
    }
    ~PresentedDialogs() { sonaport::DialogPresenter::install({}); }

    QList<Shown> shown;
    // Called for each dialog before it is closed, e.g. to inspect its pages.
    std::function<void(QDialog&)> inspect;

private:
    void record(QDialog& dialog) {
        Shown entry{dialog.windowTitle(), {}, {}};
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            if (!label->text().isEmpty()) entry.labels << label->text();
        for (const QTabWidget* tabs : dialog.findChildren<QTabWidget*>())
            for (int i = 0; i < tabs->count(); ++i) entry.tabs << tabs->tabText(i);
        if (inspect) inspect(dialog);
        shown << entry;
        dialog.reject();
    }
};
