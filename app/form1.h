#pragma once

#include <QMainWindow>

// The main window: owns the live pattern, its views and the program's state.
class Form1 : public QMainWindow {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;
};
