// Times one keystroke in the step-count field that rebuilds the grid, and the start-up of
// the whole program until its window is shown (with the built-in synthesizer opened).
#include "beatloft.h"
#include "benchenvironment.h"
#include "form1.h"
#include "views/checkarray.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double rebuildMs(Form1& form, const char* from, const char* to) {
    std::vector<double> times;
    for (int i = 0; i < 15; ++i) {
        form.txtSpalt->setText(from);
        QCoreApplication::processEvents();
        QElapsedTimer clock;
        clock.start();
        form.txtSpalt->setText(to);
        QCoreApplication::processEvents();  // the columns are laid out and painted
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    return median(times);
}

double startupMs(const QString& program) {
    std::vector<double> times;
    for (int i = 0; i < 7; ++i) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("BEATLOFT_QUIT_AFTER_START", "1");
        env.remove("BEATLOFT_MIDI_BACKENDS");
        process.setProcessEnvironment(env);
        QElapsedTimer clock;
        clock.start();
        process.start(program, {});
        process.waitForFinished(30000);
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    return median(times);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    BenchEnvironment environment;
    BenchEnvironment::freshOutput();
    Beatloft program;
    Form1& form = program.form();
    std::printf("rebuild 16 -> 48 columns:   %7.2f ms (median of 15)\n",
                rebuildMs(form, "16", "48"));
    std::printf("rebuild 16 -> 144 columns:  %7.2f ms (median of 15)\n",
                rebuildMs(form, "16", "144"));
    std::printf("rebuild 144 -> 16 columns:  %7.2f ms (median of 15)\n",
                rebuildMs(form, "144", "16"));
    const QString binary = QCoreApplication::applicationDirPath() + "/../bin/beatloft";
    std::printf("start until window shown:   %7.2f ms (whole process, median of 7)\n",
                startupMs(binary));
    return 0;
}
