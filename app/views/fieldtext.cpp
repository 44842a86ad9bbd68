#include "fieldtext.h"

#include <QLineEdit>

void putFieldText(QLineEdit* field, const QString& text) {
    if (field->text() == text)
        emit field->textChanged(text);
    else
        field->setText(text);
}
