#pragma once

#include "views/keyedtoolbar.h"

// The main window's toolbar: its nineteen buttons in order, with their keys, tooltips and
// pictures. Buttons without a command are hidden; "THelp" carries a drop-down menu.
class MainToolBar : public KeyedToolBar {
    Q_OBJECT

public:
    explicit MainToolBar(QWidget* parent = nullptr);
};
