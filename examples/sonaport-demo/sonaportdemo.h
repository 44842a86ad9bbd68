#pragma once

#include "hosting/ambientproperties.h"

#include <QUuid>
#include <QWidget>

class QListWidget;

namespace hosting {
class ControlWidget;
}

// A window that uses the SONAPORT controls as any container would: it creates them by
// CLSID and talks to them only by dispatch identifier and through their events. The keys
// play on the output on the chosen channel with the slider's value as velocity, the
// spinner sets the volume (controller 7), and whatever the input receives is logged.
class SonaportDemo : public QWidget {
    Q_OBJECT

public:
    explicit SonaportDemo(QWidget* parent = nullptr);

    // The log's line for a ShortMessage of the input control: its arguments as they came.
    static QString logLine(qint32 status, qint32 channel, qint32 data1, qint32 data2);

private:
    hosting::ControlWidget* create(const QUuid& clsid, const QRect& geometry);
    void addCaption(const QString& text, const QPoint& at);
    void wire();
    // Sends a channel message on the channel control's channel.
    void send(qint32 status, qint32 data1, qint32 data2);
    void startOnLastOutput();

    hosting::AmbientProperties ambient_;
    hosting::ControlWidget* output_;
    hosting::ControlWidget* input_;
    hosting::ControlWidget* channel_;
    hosting::ControlWidget* slider_;
    hosting::ControlWidget* spinner_;
    hosting::ControlWidget* keyboard_;
    QListWidget* log_;
};
