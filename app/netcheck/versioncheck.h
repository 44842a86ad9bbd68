#pragma once

#include <QWidget>
#include <memory>

class CheckLevel;
class NewsBox;
struct HostSettings;

// The hidden version-check window as the rest of the program sees it. The check itself needs
// Qt Network, which the window does not load before it is first drawn: its code lives in a
// module of its own, opened when the check is first made. Where that module cannot be
// opened, this plain window stands in and checks nothing.
class VersionCheck : public QWidget {
public:
    explicit VersionCheck(QWidget* parent = nullptr) : QWidget(parent, Qt::Window) {
        setAttribute(Qt::WA_QuitOnClose, false);  // never keeps the program alive
    }

    // A check the user started: its outcome without a newer version is said aloud.
    bool VersionsPruefungAktiv = false;

    // Binds the reply port and runs the first check (start-up).
    virtual void initWinsocks() {}
    // The toolbar's "Versionscheck" and the options' "jetzt prüfen".
    virtual void startUserCheck() {}

    // The module's check, reporting to news and judging by level, with the hosts fixed at
    // start-up.
    static std::unique_ptr<VersionCheck> create(NewsBox& news, const CheckLevel& level,
                                                const HostSettings& hosts);
};
