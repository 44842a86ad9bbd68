#include "longmessagesender.h"

#include <algorithm>

LongMessageSender::LongMessageSender(QObject* parent) : QObject(parent) {
    poll_.setInterval(kPollMs);
    connect(&poll_, &QTimer::timeout, this, &LongMessageSender::reap);
}

LongMessageSender::~LongMessageSender() {
    std::vector<midi::OutputHandle> handles;
    for (const auto& block : pending_) handles.push_back(block->handle);
    for (midi::OutputHandle handle : handles) releaseAll(handle);
}

LongMessageSender::Outcome LongMessageSender::send(midi::OutputHandle handle,
                                                   const QByteArray& bytes) {
    reap();
    auto block = std::make_unique<Block>();
    block->handle = handle;
    block->bytes = bytes;
    block->header.data = block->bytes.data();  // detaches: the block owns its bytes
    block->header.bufferLength = std::uint32_t(block->bytes.size());

    midi::MidiServices& services = midi::MidiServices::instance();
    const midi::Result prepared = services.prepareOutputHeader(handle, &block->header);
    if (prepared != midi::kNoError) return {prepared, true};
    const midi::Result sent = services.longMessage(handle, &block->header);
    if (sent != midi::kNoError) {
        services.unprepareOutputHeader(handle, &block->header);
        return {sent, false};
    }
    pending_.push_back(std::move(block));
    reap();
    if (!pending_.empty()) poll_.start();
    return {sent, false};
}

void LongMessageSender::releaseAll(midi::OutputHandle handle) {
    midi::MidiServices& services = midi::MidiServices::instance();
    const auto lent = [handle](const auto& block) { return block->handle == handle; };
    if (std::none_of(pending_.begin(), pending_.end(), lent)) return;
    services.resetOutput(handle);
    for (const auto& block : pending_)
        if (lent(block)) services.unprepareOutputHeader(handle, &block->header);
    std::erase_if(pending_, lent);
    if (pending_.empty()) poll_.stop();
}

// The device reports a block done on the UI thread; a block whose device has gone away
// (its handle no longer valid) will never be reported done and is freed as well.
void LongMessageSender::reap() {
    midi::MidiServices& services = midi::MidiServices::instance();
    std::erase_if(pending_, [&](const auto& block) {
        const bool done = block->header.flags & midi::MidiHeader::kDone;
        const midi::Result result = services.unprepareOutputHeader(block->handle, &block->header);
        return result == midi::kInvalidHandle || (done && result != midi::kStillPlaying);
    });
    if (pending_.empty()) poll_.stop();
}
