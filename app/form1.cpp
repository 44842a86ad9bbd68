#include "form1.h"

Form1::Form1(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Beatloft"));
}

Form1::~Form1() = default;
