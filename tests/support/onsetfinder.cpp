#include "onsetfinder.h"

#include <QFile>
#include <cmath>

std::vector<double> OnsetFinder::frames(const std::vector<float>& samples, int rate) {
    constexpr double kHigh = 0.08, kLow = 0.03;
    std::vector<double> found;
    bool armed = true;
    int quiet = 0;
    for (size_t i = 1; i < samples.size(); ++i) {
        const double level = std::fabs(samples[i]);
        if (armed && level >= kHigh) {
            const double before = std::fabs(samples[i - 1]);
            found.push_back(double(i - 1) + (kHigh - before) / (level - before));
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
