#pragma once

#include <QString>

// Numbers typed into text fields and read from files: leading blanks are skipped and the
// longest leading decimal number (sign, digits, point, exponent) is taken; a text without
// one counts as 0. No field is validated beyond this.
double numericValue(const QString& text);

// Whether the text begins with such a number, so that a 0 read from it is a real 0.
bool hasLeadingNumber(const QString& text);

// The shortest plain decimal text of a number: 16, 12, 0, 7.5, -3, 0.1, 1000000.
QString shortestDecimal(double value);
