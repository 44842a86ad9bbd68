#include "documentstate.h"

#include "form1.h"
#include "pattern/patternfile.h"
#include "pattern/patternview.h"
#include "song/songfile.h"
#include "song/songlist.h"
#include "undo/undohistory.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QStringList>

namespace {
const QString kMark = QStringLiteral("[*]");
}  // namespace

DocumentState::DocumentState(Form1& form, PatternView& view, SongList& songList,
                             UndoHistory& history, PatternFile& patternFile, SongFile& songFile)
    : form_(form), view_(view), songList_(songList) {
    connect(&history.stack(), &QUndoStack::indexChanged, this, &DocumentState::refresh);
    connect(&patternFile, &PatternFile::saved, this, &DocumentState::patternStored);
    connect(&patternFile, &PatternFile::opened, this, &DocumentState::patternStored);
    connect(&songFile, &SongFile::saved, this, &DocumentState::songStored);
    connect(&songFile, &SongFile::opened, this, &DocumentState::songStored);
    markStart();
}

void DocumentState::markStart() {
    cleanPattern_ = view_.pattern();
    cleanSong_ = songList_.song();
    refresh();
}

bool DocumentState::isPatternModified() const {
    return view_.pattern() != cleanPattern_;
}

bool DocumentState::isSongModified() const {
    return songList_.song() != cleanSong_;
}

QString DocumentState::patternName() const {
    return view_.pattern().name();
}

QString DocumentState::songName() const {
    return form_.txtSongNam->text();
}

// Opening records its state before the step that opened is closed; the step's own
// announcement then finds the pattern unmodified.
void DocumentState::patternStored(const QString& path) {
    patternPath_ = path;
    cleanPattern_ = view_.pattern();
    refresh();
}

void DocumentState::songStored(const QString& path) {
    songPath_ = path;
    cleanSong_ = songList_.song();
    refresh();
}

QString DocumentState::titleOf(const QString& patternPath, bool patternModified,
                               const QString& songPath, bool songModified) {
    QStringList names;
    bool unnamedModified = false;
    for (const auto& [path, modified] :
         {std::pair{patternPath, patternModified}, std::pair{songPath, songModified}}) {
        if (path.isEmpty())
            unnamedModified = unnamedModified || modified;
        else
            names << QFileInfo(path).fileName() + (modified ? kMark : QString());
    }
    const QString program = QStringLiteral("Beatloft") + (unnamedModified ? kMark : QString());
    if (names.isEmpty()) return program;
    return names.join(QStringLiteral(", ")) + QStringLiteral(" – ") + program;
}

void DocumentState::refresh() {
    const bool pattern = isPatternModified();
    const bool song = isSongModified();
    const QString title = titleOf(patternPath_, pattern, songPath_, song);
    if (title == shownTitle_ && form_.isWindowModified() == (pattern || song)) return;
    shownTitle_ = title;
    form_.setWindowTitle(title);
    form_.setWindowModified(pattern || song);
    emit changed();
}
