#pragma once

#include "midi/inputnotification.h"

#include <QList>
#include <QObject>
#include <QThread>

// A notification target that keeps every input report it is given, with the thread that
// handled it.
class InputRecorder : public QObject {
public:
    struct Report {
        midi::InputNotification::Kind kind;
        std::uint32_t message;
        std::uint32_t timestampMs;
        midi::MidiHeader* header;
        std::uint32_t bytesRecorded;
        QThread* thread;
    };

    QList<Report> reports;

    int count(midi::InputNotification::Kind kind) const {
        int n = 0;
        for (const Report& report : reports) n += report.kind == kind;
        return n;
    }

protected:
    bool event(QEvent* event) override {
        if (event->type() != midi::InputNotification::eventType()) return QObject::event(event);
        const auto* report = static_cast<midi::InputNotification*>(event);
        reports.append(Report{
            report->kind(), report->message(), report->timestampMs(), report->header(),
            report->header() ? report->header()->bytesRecorded : 0, QThread::currentThread()});
        return true;
    }
};
