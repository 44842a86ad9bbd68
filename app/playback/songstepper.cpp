#include "songstepper.h"

SongStepper::SongStepper(QList<ScheduledRow> schedule) : schedule_(std::move(schedule)) {
    if (!schedule_.isEmpty()) passesLeft_ = schedule_[0].passes;
}

SongStepper::Tick SongStepper::next() {
    Tick tick;
    if (index_ >= schedule_.size()) {
        tick.ended = true;
        return tick;
    }
    if (++position_ > schedule_[index_].steps) {
        position_ = 1;
        tick.passesLeftShown = --passesLeft_;
        while (passesLeft_ == 0) {
            tick.finishedRows << schedule_[index_].row;
            if (++index_ >= schedule_.size()) {
                tick.ended = true;
                return tick;
            }
            passesLeft_ = schedule_[index_].passes;
            tick.startedRow = &schedule_[index_];
        }
    }
    tick.row = schedule_[index_].row;
    tick.step = position_;
    return tick;
}
