#pragma once

#include <QString>

namespace sys {

// Reads comma-separated fields from text the way sequential file input does: a field ends
// at a comma or a line end; blanks around an unquoted field are dropped; a field in double
// quotes runs to the closing quote and may hold commas; a comma directly before a line end
// leaves one empty field. Works on fields, not lines.
class FieldReader {
public:
    explicit FieldReader(QString text) : text_(std::move(text)) {}
    // Decodes file bytes: UTF-8 where they are valid UTF-8, else the Windows-1252 code page.
    static QString decode(const QByteArray& bytes);

    // The next field; false (and nothing read) when the text is used up.
    bool read(QString* field);
    // True when nothing but the end of the text is left.
    bool atEnd() const { return pos_ >= text_.size(); }

private:
    void skipBlanks();
    void skipLineEnd();
    QString readQuoted();
    QString readPlain();
    void finishField();

    QString text_;
    qsizetype pos_ = 0;
};

}  // namespace sys
