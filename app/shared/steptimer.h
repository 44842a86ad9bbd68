#pragma once

#include "shared/deadlinetimer.h"
#include "shared/stepgrid.h"

#include <QObject>
#include <chrono>

// The playback timer. Interval holds the whole milliseconds everything else reads, but
// ticks fall on absolute deadlines start + k x period of the exact period, so lateness
// never accumulates. After a stall longer than one period the timer goes on with the
// next deadline of the same grid instead of firing the missed ticks in a burst. While a
// tick is handled, the MIDI messages it sends carry its deadline, so a tick handled late
// is still heard on the grid. With a lead, each tick is handled that long before its
// deadline: outputs that play each message at the time it carries then get the notes ahead,
// so a UI thread busy for less than the lead never makes them late.
class StepTimer : public QObject {
    Q_OBJECT

public:
    using Clock = std::chrono::steady_clock;

    explicit StepTimer(QObject* parent = nullptr);

    int interval() const { return interval_; }
    // Sets the whole-millisecond interval and the exact period behind it. While the timer
    // runs, the new period counts from the tick being handled.
    void setInterval(int milliseconds, double exactPeriodMs);
    double period() const { return periodMs_; }

    // How long before its deadline each tick is handled, at most half a period; from the
    // next tick on.
    void setLead(Clock::duration lead) { lead_ = lead; }
    Clock::duration lead() const;

    bool isEnabled() const { return enabled_; }
    // Enabling starts a new grid at this moment; its first tick is one period later.
    void setEnabled(bool enabled);

    // Ticks fired so far in this run and ticks skipped after stalls.
    long long ticks() const { return k_; }
    long long skipped() const { return skipped_; }
    // The ideal time of the tick being handled (valid while timeout() is emitted).
    Clock::time_point currentDeadline() const { return deadline(k_); }

signals:
    void timeout();

private:
    Clock::time_point deadline(long long k) const { return grid_.deadline(k); }
    void arm();
    void wake();

    DeadlineTimer timer_;
    int interval_ = 0;
    double periodMs_ = 0;
    Clock::duration lead_{};
    bool enabled_ = false;
    StepGrid grid_;
    long long k_ = 0;
    long long skipped_ = 0;
};
