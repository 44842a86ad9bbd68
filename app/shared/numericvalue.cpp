#include "numericvalue.h"

#include <QLocale>
#include <cmath>

namespace {

qsizetype skipDigits(const QString& t, qsizetype i) {
    while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128) ++i;
    return i;
}

qsizetype skipSign(const QString& t, qsizetype i) {
    return (i < t.size() && (t[i] == u'+' || t[i] == u'-')) ? i + 1 : i;
}

// End of the longest leading number starting at start, or start when there is none.
qsizetype numberEnd(const QString& t, qsizetype start) {
    qsizetype i = skipSign(t, start);
    const qsizetype intStart = i;
    i = skipDigits(t, i);
    bool digits = i > intStart;
    if (i < t.size() && t[i] == u'.') {
        const qsizetype fracEnd = skipDigits(t, i + 1);
        digits = digits || fracEnd > i + 1;
        i = fracEnd;
    }
    if (!digits) return start;
    if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
        const qsizetype expDigits = skipSign(t, i + 1);
        const qsizetype expEnd = skipDigits(t, expDigits);
        if (expEnd > expDigits) i = expEnd;
    }
    return i;
}

qsizetype skipBlanks(const QString& text) {
    qsizetype start = 0;
    while (start < text.size() && (text[start] == u' ' || text[start] == u'\t')) ++start;
    return start;
}

}  // namespace

double numericValue(const QString& text) {
    const qsizetype start = skipBlanks(text);
    const qsizetype end = numberEnd(text, start);
    if (end == start) return 0;
    bool ok = false;
    const double value = QStringView(text).mid(start, end - start).toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0;
}

bool hasLeadingNumber(const QString& text) {
    const qsizetype start = skipBlanks(text);
    return numberEnd(text, start) > start;
}

QString shortestDecimal(double value) {
    if (value == 0) return QStringLiteral("0");                          // also for -0
    return QString::number(value, 'f', QLocale::FloatingPointShortest);  // never an exponent
}
