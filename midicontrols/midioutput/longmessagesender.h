#pragma once

#include "midi/midiheader.h"
#include "midi/midiresult.h"
#include "midi/midiservices.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <memory>
#include <vector>

// Sends system-exclusive blocks and keeps each block's header and bytes alive until the
// device reports it done; only then is the header unprepared and the block freed.
class LongMessageSender : public QObject {
    Q_OBJECT

public:
    struct Outcome {
        midi::Result result = midi::kNoError;
        bool prepareFailed = false;  // result came from preparing the header
    };

    explicit LongMessageSender(QObject* parent = nullptr);
    ~LongMessageSender() override;

    Outcome send(midi::OutputHandle handle, const QByteArray& bytes);
    // Before handle is closed: has the device return every block still lent to it and
    // frees them all.
    void releaseAll(midi::OutputHandle handle);
    // Blocks the device has not finished with.
    int pendingCount() const { return int(pending_.size()); }

    static constexpr int kPollMs = 5;

private:
    struct Block {
        midi::OutputHandle handle = 0;
        QByteArray bytes;
        midi::MidiHeader header;
    };

    void reap();

    std::vector<std::unique_ptr<Block>> pending_;
    QTimer poll_;
};
