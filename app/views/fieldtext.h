#pragma once

class QLineEdit;
class QString;

// Puts a text into a field as if it had been typed: the field's change handlers run even
// when it shows that text already, so what depends on the field is brought up to date.
void putFieldText(QLineEdit* field, const QString& text);
