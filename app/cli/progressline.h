#pragma once

#include <QString>

// A long job's progress as one line on stderr, rewritten in place as the percent grows;
// nothing at all when stderr is no terminal, so logs and pipes stay clean.
class ProgressLine {
public:
    explicit ProgressLine(const QString& label);
    ~ProgressLine();  // ends the line
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // The part done, 0..1.
    void show(double fraction);

private:
    QString label_;
    bool shown_ = false;
    bool enabled_;
    int percent_ = -1;
};
