#include "fieldreader.h"

#include <QStringDecoder>

namespace sys {

namespace {
bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}
bool isLineEnd(QChar c) {
    return c == u'\r' || c == u'\n';
}
}  // namespace

QString FieldReader::decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    QStringDecoder ansi("windows-1252");
    return ansi.isValid() ? QString(ansi.decode(bytes)) : QString::fromLatin1(bytes);
}

bool FieldReader::atEnd() const {
    if (afterComma_) return false;
    for (qsizetype i = pos_; i < text_.size(); ++i)
        if (!isBlank(text_[i]) && !isLineEnd(text_[i])) return false;
    return true;
}

bool FieldReader::read(QString* field) {
    skipBlanks(!afterComma_);
    if (atTextEnd() && !afterComma_) return false;
    afterComma_ = false;
    *field = !atTextEnd() && text_[pos_] == u'"' ? readQuoted() : readPlain();
    finishField();
    return true;
}

void FieldReader::skipBlanks(bool lineEndsToo) {
    while (!atTextEnd() && (isBlank(text_[pos_]) || (lineEndsToo && isLineEnd(text_[pos_]))))
        ++pos_;
}

void FieldReader::skipLineEnd() {
    if (!atTextEnd() && text_[pos_] == u'\r') ++pos_;
    if (!atTextEnd() && text_[pos_] == u'\n') ++pos_;
}

QString FieldReader::readQuoted() {
    const qsizetype start = ++pos_;
    qsizetype end = text_.indexOf(u'"', start);
    if (end < 0) end = text_.size();
    pos_ = qMin(end + 1, text_.size());
    return text_.mid(start, end - start);
}

QString FieldReader::readPlain() {
    const qsizetype start = pos_;
    while (!atTextEnd() && text_[pos_] != u',' && !isLineEnd(text_[pos_])) ++pos_;
    return text_.mid(start, pos_ - start).trimmed();
}

// Consumes what ends the field: anything up to a comma, or the line end.
void FieldReader::finishField() {
    while (!atTextEnd() && text_[pos_] != u',' && !isLineEnd(text_[pos_])) ++pos_;
    if (atTextEnd()) return;
    if (text_[pos_] == u',') {
        ++pos_;
        afterComma_ = true;
        return;
    }
    skipLineEnd();
}

}  // namespace sys
