#include "onsetfinder.h"

#include <QFile>
#include <algorithm>
#include <cmath>

namespace {

// The first sample of the attack that rose above 0.08 at `crossing`: going back from there,
// the last sample above the level before it (the tail of the note before, at least -48 dBFS)
// before kGap samples in a row below it (the waveform crosses zero on its way up), at most
// 5 ms back. How fast an attack rises varies with the synthesizer's voice (it fades a voice
// in from where the voice's last note left its level), its start does not.
size_t attackStart(const std::vector<float>& samples, size_t crossing, int rate) {
    constexpr size_t kGap = 8;
    const size_t back = size_t(rate / 200);  // 5 ms
    const size_t earliest = crossing > back ? crossing - back : 0;
    float before = 0.004f / 1.5f;
    for (size_t i = earliest > back ? earliest - back : 0; i < earliest; ++i)
        before = std::max(before, std::fabs(samples[i]));
    const float threshold = 1.5f * before;
    size_t start = crossing;
    for (size_t i = crossing; i-- > earliest && start - i <= kGap;)
        if (std::fabs(samples[i]) >= threshold) start = i;
    return start;
}

}  // namespace

std::vector<double> OnsetFinder::frames(const std::vector<float>& samples, int rate, Mark mark) {
    constexpr double kHigh = 0.08, kLow = 0.03;
    std::vector<double> found;
    bool armed = true;
    int quiet = 0;
    for (size_t i = 1; i < samples.size(); ++i) {
        const double level = std::fabs(samples[i]);
        if (armed && level >= kHigh) {
            found.push_back(double(mark == Mark::Crossing ? i : attackStart(samples, i, rate)));
            armed = false;
        }
        quiet = level < kLow ? quiet + 1 : 0;
        if (quiet >= rate * 15 / 1000) armed = true;
    }
    return found;
}

QString OnsetFinder::writeSidestickPattern(const QString& folder) {
    const QString path = folder + QStringLiteral("/onsets.drm");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    QByteArray row;
    for (int i = 0; i < 16; ++i) row += " 3 ,";
    file.write(
        "\"Onsets\"\r\nTaktzahl, 4, Taktnenner, 4, SubDivs, 4, BPM, 120\r\n"
        "\"Sidestick\",37\r\n" +
        row + "\r\n");
    return path;
}
