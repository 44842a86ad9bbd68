#pragma once

#include <QObject>
#include <QString>

// Where the commands report the edits they make, so that an edit can be taken back as a
// whole. A command opens a step before it changes anything and closes it when it is done
// (EditStep does both); a step opened inside an open step belongs to the outer one, which
// alone is announced.
class EditJournal : public QObject {
    Q_OBJECT

public:
    // What a step may change: the pattern on screen, or the pattern and the song.
    enum Scope { Pattern, PatternAndSong };

    // mergeKey 0: a step of its own. Otherwise a step that continues the step just before
    // when that one has the same text and key (the rotations of one held button).
    void open(const QString& text, Scope scope, int mergeKey = 0);
    void close();
    bool isOpen() const { return depth_ > 0; }

signals:
    void stepOpened(const QString& text, EditJournal::Scope scope, int mergeKey);
    void stepClosed();

private:
    int depth_ = 0;
};
