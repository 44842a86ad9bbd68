#pragma once

#include "pattern/rowmix.h"

#include <QObject>

class Form1;
class QAction;

// Mute and solo from the instrument labels: each label's context menu holds "Stumm" and
// "Solo"; a muted row's label is grey, a solo row's label bold.
class RowMixMenu : public QObject {
    Q_OBJECT

public:
    explicit RowMixMenu(Form1& form) : form_(form) {}

    const RowMix& mix() const { return mix_; }
    // Start-up: gives every instrument label its menu, once the labels are made.
    void addToLabels();

private:
    void addAction(int row, const QString& text, void (RowMix::*set)(int, bool));
    void showRow(int row);

    Form1& form_;
    RowMix mix_;
};
