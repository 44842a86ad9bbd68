#include "progressline.h"

#include "system/terminal.h"

#include <algorithm>
#include <cstdio>

ProgressLine::ProgressLine(const QString& label)
    : label_(label), enabled_(sys::isTerminal(stderr)) {}

ProgressLine::~ProgressLine() {
    if (shown_) std::fputc('\n', stderr);
}

void ProgressLine::show(double fraction) {
    const int percent = std::clamp(int(fraction * 100), 0, 100);
    if (!enabled_ || percent == percent_) return;
    percent_ = percent;
    shown_ = true;
    std::fprintf(stderr, "\r%s %3d %%", qUtf8Printable(label_), percent);
    std::fflush(stderr);
}
