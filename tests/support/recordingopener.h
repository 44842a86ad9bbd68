#pragma once

#include "system/targetopener.h"

#include <QStringList>

// Records every target the program opens instead of starting a browser or mail program.
// Installs itself on construction and uninstalls on destruction.
class RecordingOpener : public sys::TargetOpener {
public:
    RecordingOpener() { install(this); }
    ~RecordingOpener() override { install(nullptr); }

    // The addresses handed to the desktop, in order.
    const QStringList& opened() const { return opened_; }

protected:
    void openUrl(const QUrl& url) override { opened_ << url.toString(); }

private:
    QStringList opened_;
};
