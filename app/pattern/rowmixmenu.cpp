#include "rowmixmenu.h"

#include "form1.h"
#include "views/taglabel.h"

#include <QAction>
#include <QPalette>

void RowMixMenu::addToLabels() {
    for (int row = 1; row < form_.labelCount(); ++row) {
        form_.Label(row)->setContextMenuPolicy(Qt::ActionsContextMenu);
        addAction(row, tr("Stumm"), &RowMix::setMuted);
        addAction(row, tr("Solo"), &RowMix::setSolo);
    }
}

void RowMixMenu::addAction(int row, const QString& text, void (RowMix::*set)(int, bool)) {
    TagLabel* label = form_.Label(row);
    auto* action = new QAction(text, label);
    action->setCheckable(true);
    connect(action, &QAction::toggled, this, [this, row, set](bool on) {
        (mix_.*set)(row, on);
        showRow(row);
    });
    label->addAction(action);
}

void RowMixMenu::showRow(int row) {
    TagLabel* label = form_.Label(row);
    QFont font = label->font();
    font.setBold(mix_.isSolo(row));
    label->setFont(font);
    QPalette palette = label->palette();
    const QPalette standard = form_.palette();
    palette.setColor(QPalette::WindowText,
                     mix_.isMuted(row) ? standard.color(QPalette::Disabled, QPalette::WindowText)
                                       : standard.color(QPalette::Active, QPalette::WindowText));
    label->setPalette(palette);
}
