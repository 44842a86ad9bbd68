#pragma once

#include <QList>

// Where the MIDI clock's pulses fall among the steps: 24 per quarter note, pulse j of a run
// j x S / 24 steps after the run's first step (S = steps per beat). A run starts with
// playback and again with every song row, so a row's first step always carries a pulse.
// Each step's pulses are given as milliseconds after the step, so a pulse on a step is at the
// step's own deadline and the others follow from it and the step's period.
class ClockPulses {
public:
    static constexpr int kPerQuarter = 24;
    // Pulses closer than this are not sent: no MIDI cable carries them.
    static constexpr double kMinSpacingMs = 1.0;

    // The next step is the first of a new run.
    void restart() { step_ = 0; }
    // The pulses of the next step of the run at this step period and steps per beat, in
    // milliseconds after the step. None when the two give no usable pulse spacing.
    QList<double> nextStep(double periodMs, double stepsPerBeat);

private:
    long long step_ = 0;
};
