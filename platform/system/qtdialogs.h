#pragma once

#include "dialogs.h"

namespace sys {

// The real dialogs: QMessageBox, QInputDialog and QFileDialog, modal over the active window.
class QtDialogs : public Dialogs {
public:
    // "Pattern (.drm)|*.drm|Alle Dateien|*.*" -> "Pattern (.drm) (*.drm);;Alle Dateien (*.*)"
    static QString qtFilter(const QString& filter);

protected:
    MessageAnswer showMessage(const MessageRequest& request) override;
    QString showInput(const InputRequest& request) override;
    QString showOpenFile(const FileRequest& request) override;
    QString showSaveFile(const FileRequest& request) override;
};

}  // namespace sys
