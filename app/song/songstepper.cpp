#include "songstepper.h"

SongStepper::SongStepper(const Song& song, double startTempo) : song_(song), tempo_(startTempo) {
    begin(1);
}

// The first row from firstRow on that plays, read from the song as it is now.
bool SongStepper::begin(int firstRow) {
    current_.reset();
    for (int row = firstRow; row <= song_.songRows(); ++row) {
        current_ = scheduledRow(song_.store[row], row, &tempo_);
        if (!current_) continue;
        record_ = song_.store[row];
        passesLeft_ = current_->passes;
        nextRow_ = row + 1;
        return true;
    }
    return false;
}

SongStepper::Tick SongStepper::next() {
    Tick tick;
    if (!current_) {
        tick.ended = true;
        return tick;
    }
    if (++position_ > current_->steps) {
        position_ = 1;
        tick.passesLeftShown = --passesLeft_;
        if (passesLeft_ <= 0) {
            if (current_->row > 0) tick.finishedRows << current_->row;
            if (!begin(nextRow_)) {
                tick.ended = true;
                return tick;
            }
            tick.startedRow = &*current_;
        }
    }
    tick.row = current_->row;
    tick.step = position_;
    return tick;
}

// The playing row itself removed: it plays on from its record, and the row now in its
// place is the next.
void SongStepper::rowRemoved(int row) {
    if (!current_ || row >= nextRow_) return;
    --nextRow_;
    if (row < current_->row)
        --current_->row;
    else if (row == current_->row)
        current_->row = 0;
}

void SongStepper::rowInserted(int row) {
    if (!current_ || row >= nextRow_) return;
    ++nextRow_;
    if (current_->row >= row) ++current_->row;
}
