// Feeds arbitrary bytes to the pattern reader as a pattern file would reach it, on a window
// with 18 instrument rows (notes 35 to 52) and 16 steps: opened, or mixed in when the first
// byte is odd (a pattern file begins with a quote, 0x22). Checks that reading ends, that the
// grid keeps its steps and rows and that every cell holds a level from 0 to 3.
#include "docs/patternreader.h"
#include "form1.h"
#include "shared/checkarray.h"
#include "shared/taglabel.h"

#include <QApplication>
#include <QLineEdit>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr int kSteps = 16;
Form1* form = nullptr;

void check(bool condition) {
    if (!condition) std::abort();
}

void checkGrid() {
    check(form->checkArrayCount() == kSteps + 1 && form->labelCount() == form->rowCount() + 1);
    for (int step = 1; step <= kSteps; ++step)
        for (int row = 1; row <= form->rowCount(); ++row) {
            const int level = form->checkArray(step)->value(row);
            check(level >= 0 && level <= 3);
        }
}

}  // namespace

// Caches of the font and toolkit libraries live until the process ends.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\nleak:libQt6Gui\nleak:libQt6Core\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Made once and never destroyed: the program's objects outlive the fuzzer's runs.
    static int qtArgc = 1;
    new QApplication(qtArgc, *argv);
    Q_UNUSED(argc);
    form = new Form1;
    form->createInstrumentLabels();
    for (int row = 1; row <= form->rowCount(); ++row)
        form->Label(row)->setTag(QString::number(34 + row));
    for (int step = 1; step <= kSteps; ++step) form->createColumn(step);
    form->txtSpalt->setText(QString::number(kSteps));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const bool mix = size > 0 && (data[0] & 1);
    PatternReader reader(*form, bytes, mix, !mix);
    reader.read();
    check(reader.unassigned() >= 0 && reader.unassigned() <= int(size));
    checkGrid();
    return 0;
}
