#include "quitguard.h"

#include "form1.h"
#include "pattern/patternfile.h"
#include "shell/documentstate.h"
#include "song/songfile.h"
#include "system/dialogs.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QSessionManager>
#include <QStringList>

QuitGuard::QuitGuard(Form1& form, DocumentState& documents, PatternFile& patternFile,
                     SongFile& songFile, bool mayAsk)
    : form_(form),
      documents_(documents),
      patternFile_(patternFile),
      songFile_(songFile),
      mayAsk_(mayAsk) {
    // Installed after the window's other close handlers, so it is asked first: when the
    // user keeps working, nothing else sees the close (playback goes on).
    form.installEventFilter(this);
    connect(&documents, &DocumentState::changed, this, [this] { discarded_ = false; });
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
            const bool interactionAllowed = manager.allowsInteraction();
            const bool goesOn = sessionEnding(interactionAllowed);
            if (interactionAllowed) manager.release();
            if (!goesOn) manager.cancel();
        });
}

bool QuitGuard::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &form_ || event->type() != QEvent::Close || mayEnd()) return false;
    event->ignore();
    return true;
}

QString QuitGuard::questionText(const QStringList& modified) {
    return tr("Änderungen speichern?") + QStringLiteral("\n\n") + modified.join(QLatin1Char('\n'));
}

bool QuitGuard::mayEnd() {
    QStringList modified;
    if (documents_.isPatternModified())
        modified << tr("Pattern „%1“").arg(documents_.patternName());
    if (documents_.isSongModified()) modified << tr("Song „%1“").arg(documents_.songName());
    if (modified.isEmpty() || discarded_ || !mayAsk_) return true;
    switch (sys::Dialogs::current().message(questionText(modified),
                                            sys::MessageButtons::SaveDiscardCancel,
                                            sys::MessageIcon::Question)) {
        case sys::MessageAnswer::Save:
            return saveModified();
        case sys::MessageAnswer::Discard:
            discarded_ = true;
            return true;
        default:
            return false;
    }
}

bool QuitGuard::saveModified() {
    if (documents_.isPatternModified() && !patternFile_.SavePatternFile()) return false;
    return !documents_.isSongModified() || songFile_.MnuSaveSong_Click();
}

bool QuitGuard::sessionEnding(bool interactionAllowed) {
    return !interactionAllowed || mayEnd();
}
