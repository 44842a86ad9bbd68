// Offline render against a peer: Beatloft's `--render-wav` of the "Rock" pattern of Std.drm
// (100 BPM, 16 steps: 2.4 s a loop) against Hydrogen's h2cli exporting the same pattern with
// its GM kit (rock.h2song beside this file, its one pattern repeated for the length), 60 s and
// 600 s of 44.1 kHz audio each. Prints the wall time, CPU time and peak resident memory of
// each process (the best of a few runs, taken in turn) and their ratios. Skipped, with the
// reason, when h2cli or its kit is not installed (Debian package hydrogen).
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QtEndian>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr double kLoopSeconds = 2.4;
constexpr int kRuns = 3;
const char* const kKit = "/usr/share/hydrogen/data/drumkits/GMRockKit/drumkit.xml";

struct Usage {
    double wallS = 0;
    double cpuS = 0;     // user and system
    double peakMiB = 0;  // largest resident set
};

double loadAverage() {
    double load = 0;
    return getloadavg(&load, 1) == 1 ? load : -1;
}

// Runs a program with its output discarded; nothing when it cannot start or fails.
std::optional<Usage> measure(const QStringList& command) {
    std::vector<QByteArray> bytes;
    for (const QString& part : command) bytes.push_back(QFile::encodeName(part));
    std::vector<char*> argv;
    for (QByteArray& part : bytes) argv.push_back(part.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed) return std::nullopt;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return Usage{std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
                 seconds(usage.ru_utime) + seconds(usage.ru_stime), double(usage.ru_maxrss) / 1024};
}

// The song with its one pattern played loops times.
bool writeSong(const QString& from, const QString& to, int loops) {
    QFile in(from), out(to);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly)) return false;
    QByteArray song = in.readAll();
    const QByteArray group = "  <group>\n   <patternID>Rock</patternID>\n  </group>\n";
    if (!song.contains(group)) return false;
    song.replace(group, group.repeated(loops));
    return out.write(song) == song.size();
}

// Seconds of 16-bit stereo 44.1 kHz audio in a WAV file, from the size of its data chunk.
double audioSeconds(const QString& wav) {
    QFile file(wav);
    if (!file.open(QIODevice::ReadOnly)) return 0;
    const QByteArray head = file.read(4096);
    const qsizetype data = head.indexOf("data");
    if (data < 0 || data + 8 > head.size()) return 0;
    return qFromLittleEndian<quint32>(head.constData() + data + 4) / (44100.0 * 4);
}

Usage best(const Usage& a, const Usage& b) {
    return {std::min(a.wallS, b.wallS), std::min(a.cpuS, b.cpuS), std::min(a.peakMiB, b.peakMiB)};
}

void print(const char* name, const Usage& u, double audio) {
    std::printf(
        "render_peer:   %-9s %6.2f s wall  %6.2f s CPU  %6.1f MiB resident  (%.1f s written)\n",
        name, u.wallS, u.cpuS, u.peakMiB, audio);
}

// Both renders of one length, in turn; false when one of them fails.
bool compare(const QString& beatloft, const QString& pattern, const QString& h2cli,
             const QString& song, const QDir& work, double seconds) {
    const int loops = int(seconds / kLoopSeconds + 0.5);
    const QString ours = work.filePath("beatloft.wav"), theirs = work.filePath("h2cli.wav");
    const QString repeated = work.filePath("rock.h2song");
    if (!writeSong(song, repeated, loops)) {
        std::printf("render_peer: %s could not be repeated into %s\n", qPrintable(song),
                    qPrintable(repeated));
        return false;
    }
    const QStringList oursCommand{beatloft, "--render-wav", pattern,
                                  ours,     "--loops",      QString::number(loops)};
    const QStringList theirsCommand{h2cli, "-d", "alsa", "-s", repeated, "-o", theirs};
    std::optional<Usage> us, them;
    for (int run = 0; run < kRuns; ++run) {
        const auto a = measure(oursCommand);
        const auto b = measure(theirsCommand);
        if (!a || !b) {
            std::printf("render_peer: %s failed\n", !a ? "beatloft --render-wav" : "h2cli");
            return false;
        }
        us = us ? best(*us, *a) : *a;
        them = them ? best(*them, *b) : *b;
    }
    std::printf("render_peer: %.0f s of audio (%d loops), best of %d, load %.2f\n", seconds, loops,
                kRuns, loadAverage());
    print("Beatloft", *us, audioSeconds(ours));
    print("h2cli", *them, audioSeconds(theirs));
    std::printf("render_peer:   Beatloft / h2cli: wall x%.2f  CPU x%.2f  resident x%.2f\n",
                us->wallS / them->wallS, us->cpuS / them->cpuS, us->peakMiB / them->peakMiB);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString h2cli = QStandardPaths::findExecutable(QStringLiteral("h2cli"));
    if (h2cli.isEmpty() || !QFile::exists(QString::fromLatin1(kKit))) {
        std::printf("render_peer: skipped, %s (Debian package hydrogen)\n",
                    h2cli.isEmpty() ? "no h2cli on the PATH" : "h2cli has no GMRockKit");
        return 0;
    }
    const QString bin = QCoreApplication::applicationDirPath() + QStringLiteral("/../bin");
    QTemporaryDir work;
    for (double seconds : {60.0, 600.0})
        if (!compare(bin + "/beatloft", bin + "/Std.drm", h2cli, QStringLiteral(RENDER_PEER_SONG),
                     QDir(work.path()), seconds))
            return 1;
    return 0;
}
