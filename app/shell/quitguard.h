#pragma once

#include <QObject>
#include <QString>

class DocumentState;
class Form1;
class PatternFile;
class SongFile;

// Asks before the program ends with a modified pattern or song: "Änderungen speichern?"
// naming what changed, with Speichern, Verwerfen and Abbrechen. It stands before every way
// out: the window's close (close box, "Ende", "End" after its own question) and the end of
// the desktop session. Nothing is asked when nothing would be lost, nor where nobody may be
// asked.
class QuitGuard : public QObject {
    Q_OBJECT

public:
    QuitGuard(Form1& form, DocumentState& documents, PatternFile& patternFile, SongFile& songFile,
              bool mayAsk);

    // Whether the program may end now. Speichern runs each modified document's own save and
    // ends only when every one was written; Abbrechen changes nothing.
    bool mayEnd();
    // The desktop session is ending: false when the user keeps working. Without leave to
    // ask, nothing is decided here and the session goes on ending.
    bool sessionEnding(bool interactionAllowed);

    // A stop asked for by a signal (a terminal's Ctrl+C, a kill): nobody may be there to
    // answer, so the program ends without asking.
    void endWithoutAsking() { mayAsk_ = false; }

    static QString questionText(const QStringList& modified);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool saveModified();

    Form1& form_;
    DocumentState& documents_;
    PatternFile& patternFile_;
    SongFile& songFile_;
    bool mayAsk_;
    bool discarded_ = false;  // the last answer let the changes go; an edit takes it back
};
