#include "patterncommands.h"

#include "docs/patternfile.h"
#include "form1.h"
#include "pattern/gridgeometry.h"
#include "playback/patternplayback.h"
#include "shared/checkarray.h"
#include "shared/editstep.h"
#include "shared/stepnotes.h"
#include "shared/taglabel.h"
#include "system/programfolder.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QTimer>

namespace {
const char kDirectionProperty[] = "repeatDirection";
const QString kMoveLeft = QStringLiteral("MoveLeft");
const QString kMoveRight = QStringLiteral("MoveRight");
}  // namespace

PatternCommands::PatternCommands(Form1& form, GridGeometry& geometry, PatternPlayback& playback,
                                 PatternFile& patternFile)
    : form_(form), playback_(playback), patternFile_(patternFile) {
    connect(form.BtnClr, &QAbstractButton::clicked, this, &PatternCommands::ClearPattern);
    connect(form.ButMoveLeft, &QAbstractButton::clicked, this, &PatternCommands::RotatePatternLeft);
    connect(form.ButMoveRight, &QAbstractButton::clicked, this,
            &PatternCommands::RotatePatternRight);
    watchRotateButton(form.ButMoveLeft, kMoveLeft);
    watchRotateButton(form.ButMoveRight, kMoveRight);
    connect(form.tmrRepeatEvent, &QTimer::timeout, this, &PatternCommands::tmrRepeatEvent_Timer);
    connect(form.cmdLdStd, &QAbstractButton::clicked, this, [this] {
        EditStep step(form_.edits, QStringLiteral("StdPattern"));
        loadStandardPattern(QStringLiteral("Std.drm"));
    });
    connect(form.cmdLdStdFill, &QAbstractButton::clicked, this, [this] {
        EditStep step(form_.edits, QStringLiteral("StdFill"));
        loadStandardPattern(QStringLiteral("StdFill.drm"));
    });
    connect(&geometry, &GridGeometry::columnCreated, this, &PatternCommands::watchColumn);
}

void PatternCommands::watchColumn(CheckArray* column) {
    connect(column, &CheckArray::Click, this, &PatternCommands::columnClicked);
}

void PatternCommands::ClearPattern() {
    EditStep step(form_.edits, QStringLiteral("Clr"));
    for (int j = 1; j < form_.checkArrayCount(); ++j) {
        CheckArray* column = form_.checkArray(j);
        for (int r = 1; r <= column->nElements(); ++r) column->setValue(r, 0);
    }
}

void PatternCommands::copyLevel(int fromColumn, int toColumn, int row) {
    form_.checkArray(toColumn)->setValue(row, form_.checkArray(fromColumn)->value(row));
}

// The hidden template column carries the level that wraps around.
void PatternCommands::RotatePatternLeft() {
    EditStep step(form_.edits, QStringLiteral("Pattern nach links"), EditJournal::Pattern,
                  rotationRun());
    const int last = form_.checkArrayCount() - 1;
    for (int r = 1; r <= form_.rowCount(); ++r) {
        for (int j = 0; j < last; ++j) copyLevel(j + 1, j, r);
        copyLevel(0, last, r);
    }
}

void PatternCommands::RotatePatternRight() {
    EditStep step(form_.edits, QStringLiteral("Pattern nach rechts"), EditJournal::Pattern,
                  rotationRun());
    const int last = form_.checkArrayCount() - 1;
    for (int r = 1; r <= form_.rowCount(); ++r) {
        copyLevel(last, 0, r);
        for (int j = last; j >= 1; --j) copyLevel(j - 1, j, r);
    }
}

void PatternCommands::startRepeat(const QString& direction) {
    form_.RepeatDirection = direction;
    form_.tmrRepeatEvent->setInterval(kFirstRepeatMs);
    form_.tmrRepeatEvent->start();
}

void PatternCommands::stopRepeat() {
    form_.tmrRepeatEvent->stop();
}

void PatternCommands::tmrRepeatEvent_Timer() {
    if (form_.tmrRepeatEvent->interval() == kFirstRepeatMs)
        form_.tmrRepeatEvent->setInterval(kRepeatMs);
    if (form_.RepeatDirection == kMoveLeft)
        RotatePatternLeft();
    else if (form_.RepeatDirection == kMoveRight)
        RotatePatternRight();
}

void PatternCommands::watchRotateButton(QAbstractButton* button, const QString& direction) {
    button->setProperty(kDirectionProperty, direction);
    button->installEventFilter(this);
    // One press, by mouse or keyboard, is one run of rotations up to the click that ends
    // it; this is connected after the click's own rotation.
    connect(button, &QAbstractButton::pressed, this, [this] { ++run_, runOpen_ = true; });
    connect(button, &QAbstractButton::clicked, this, [this] { runOpen_ = false; });
}

int PatternCommands::rotationRun() const {
    return runOpen_ ? run_ : 0;
}

bool PatternCommands::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress)
        startRepeat(watched->property(kDirectionProperty).toString());
    else if (event->type() == QEvent::MouseButtonRelease)
        stopRepeat();
    return false;
}

// The clicked row sounds at full strength, also when the click has just cleared it;
// while the pattern plays, the grid is heard anyway.
void PatternCommands::columnClicked(int row) {
    if (!form_.chkPlayOnClick->isChecked() || form_.BtnPlay->isChecked()) return;
    const TagLabel* label = form_.Label(row);
    if (!label) return;
    if (const auto note = noteOfTag(label->tag())) playback_.PlayDrumNote(*note, 3);
}

void PatternCommands::MnuOpen_Click() {
    EditStep step(form_.edits, QStringLiteral("Pattern öffnen"));
    ClearPattern();
    form_.MixMode = false;
    patternFile_.LoadPatternFile();
}

void PatternCommands::loadStandardPattern(const QString& fileName) {
    form_.PendingFile = sys::ProgramFolder::path() + QLatin1Char('/') + fileName;
    MnuOpen_Click();
}
