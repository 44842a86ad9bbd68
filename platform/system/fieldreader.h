#pragma once

#include <QString>

namespace sys {

// Reads comma-separated fields from text the way sequential file input does: a field ends
// at a comma or a line end; blanks around an unquoted field are dropped; a field in double
// quotes runs to the closing quote and may hold commas; a comma directly before a line end
// (or the end of the text) leaves one empty field. Blank lines hold no field. Works on
// fields, not lines.
class FieldReader {
public:
    explicit FieldReader(QString text) : text_(std::move(text)) {}
    // Decodes file bytes: UTF-8 where they are valid UTF-8, else the Windows-1252 code page.
    static QString decode(const QByteArray& bytes);

    // The next field; false (and nothing read) when the text is used up.
    bool read(QString* field);
    // True when no field is left: nothing but blanks and line ends remain.
    bool atEnd() const;

private:
    bool atTextEnd() const { return pos_ >= text_.size(); }
    void skipBlanks(bool lineEndsToo);
    void skipLineEnd();
    QString readQuoted();
    QString readPlain();
    void finishField();

    QString text_;
    qsizetype pos_ = 0;
    bool afterComma_ = false;  // the last field ended with a comma: one more field follows
};

}  // namespace sys
