#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QObject>
#include <QString>

class Form1;
class Pattern;
class PatternView;

// The pattern document (.drm): a quoted name line, a header line with the four settings
// as typed, then for every instrument row that holds a level an instrument line (quoted
// name, note) and a cells line (" level ," per step). Lines end with CR LF; the text is in
// the Windows code page.
class PatternFile : public QObject {
    Q_OBJECT

public:
    struct Row {
        QString name;
        QString note;
        QList<int> levels;
    };
    struct Contents {
        QString name;
        QString takt, taktNenner, subDivs, bpm;  // as typed in the fields
        QList<Row> rows;
    };

    PatternFile(Form1& form, PatternView& view) : form_(form), view_(view) {}

    // Asks for a name when the pattern still has the default one, then for the file, and
    // writes the pattern. A failed write keeps the old file and is reported. Returns
    // whether the pattern was written.
    bool SavePatternFile();
    // Opens (MixMode false) or mixes in (MixMode true) a pattern file: PendingFile if set,
    // else the one chosen in the open dialog. Always leaves MixMode true. Returns whether
    // the file was read to its end.
    bool LoadPatternFile();
    // Opens a pattern file as the command line does: no dialog, no mixing question.
    bool openDocument(const QString& path);

    static QByteArray format(const Contents& contents);
    // What a pattern saves as, with steps 1..stepCount.
    static Contents contentsOf(const Pattern& pattern);
    // Reads a pattern file over a pattern, as opening one does (no mixing); false, with what
    // was read before kept, when it cannot be read to its end.
    static bool readFile(const QString& path, Pattern* pattern);

    // The file dialogs' filter.
    static QString filter();

signals:
    // The pattern on screen is now the contents of this file: written, or opened whole as
    // a document (a standard pattern and a mix-in are edits, not documents).
    void saved(const QString& path);
    void opened(const QString& path);

private:
    bool writeFile(const QString& path, const QByteArray& bytes) const;
    bool readInto(const QString& path);

    Form1& form_;
    PatternView& view_;
};
