#include "longmessagesender.h"

#include <algorithm>
#include <atomic>

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

bool LongMessageSender::isDone(Block& block) {
    // The flag may be set by the device's own thread.
    const std::atomic_ref<std::uint32_t> flags(block.header.flags);
    return flags.load(std::memory_order_acquire) & midi::MidiHeader::kDone;
}

void LongMessageSender::reap() {
    midi::MidiServices& services = midi::MidiServices::instance();
    std::erase_if(pending_, [&](const auto& block) {
        return isDone(*block) &&
               services.unprepareOutputHeader(block->handle, &block->header) != midi::kStillPlaying;
    });
    if (pending_.empty()) poll_.stop();
}
