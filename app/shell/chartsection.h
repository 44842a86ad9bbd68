#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

class Pattern;
struct Song;

// One pattern as the drum chart prints it: a heading, one line for each instrument that has
// notes, and the levels of those lines step by step.
struct ChartSection {
    Q_DECLARE_TR_FUNCTIONS(ChartSection)

public:
    QString heading;
    QStringList names;         // one per instrument line
    QList<QList<int>> levels;  // levels[line][step - 1], 0..3
    int steps = 0;
    int stepsPerBeat = 0;  // 0: no beat lines
    int beatsPerBar = 0;   // 0: no bar lines inside a system

    int stepsPerBar() const { return stepsPerBeat * beatsPerBar; }

    // The pattern's playable steps, headed by its meter, steps per beat and tempo.
    static ChartSection ofPattern(const Pattern& pattern);
    // Song row `row`, headed by its number, name, loops and tempo; the instrument rows are the
    // pattern's, as the song plays them.
    static ChartSection ofSongRow(const Song& song, int row, const Pattern& pattern);
};
