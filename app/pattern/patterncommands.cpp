#include "patterncommands.h"

#include "form1.h"
#include "pattern/gridgeometry.h"
#include "pattern/patternfile.h"
#include "pattern/patternview.h"
#include "shared/drumoutput.h"
#include "shared/editstep.h"
#include "shared/stepnotes.h"
#include "system/programfolder.h"
#include "views/checkarray.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QTimer>

namespace {
const char kDirectionProperty[] = "repeatDirection";
const QString kMoveLeft = QStringLiteral("MoveLeft");
const QString kMoveRight = QStringLiteral("MoveRight");
}  // namespace

PatternCommands::PatternCommands(Form1& form, GridGeometry& geometry, PatternView& view,
                                 DrumOutput& output, PatternFile& patternFile)
    : form_(form), view_(view), output_(output), patternFile_(patternFile) {
    connect(form.BtnClr, &QAbstractButton::clicked, this, &PatternCommands::ClearPattern);
    connect(form.ButMoveLeft, &QAbstractButton::clicked, this, &PatternCommands::RotatePatternLeft);
    connect(form.ButMoveRight, &QAbstractButton::clicked, this,
            &PatternCommands::RotatePatternRight);
    watchRotateButton(form.ButMoveLeft, kMoveLeft);
    watchRotateButton(form.ButMoveRight, kMoveRight);
    connect(form.tmrRepeatEvent, &QTimer::timeout, this, &PatternCommands::tmrRepeatEvent_Timer);
    connect(form.cmdLdStd, &QAbstractButton::clicked, this, [this] {
        EditStep step(form_.edits, tr("StdPattern"));
        loadStandardPattern(QStringLiteral("Std.drm"));
    });
    connect(form.cmdLdStdFill, &QAbstractButton::clicked, this, [this] {
        EditStep step(form_.edits, tr("StdFill"));
        loadStandardPattern(QStringLiteral("StdFill.drm"));
    });
    connect(&geometry, &GridGeometry::columnCreated, this, &PatternCommands::watchColumn);
}

void PatternCommands::watchColumn(CheckArray* column) {
    connect(column, &CheckArray::Click, this, &PatternCommands::columnClicked);
}

void PatternCommands::change(void (Pattern::*edit)()) {
    Pattern pattern = view_.pattern();
    (pattern.*edit)();
    view_.show(pattern);
}

void PatternCommands::ClearPattern() {
    EditStep step(form_.edits, tr("Clr"));
    change(&Pattern::clear);
}

void PatternCommands::RotatePatternLeft() {
    EditStep step(form_.edits, tr("Pattern nach links"), EditJournal::Pattern, rotationRun());
    change(&Pattern::rotateLeft);
}

void PatternCommands::RotatePatternRight() {
    EditStep step(form_.edits, tr("Pattern nach rechts"), EditJournal::Pattern, rotationRun());
    change(&Pattern::rotateRight);
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
    const auto note = view_.pattern().rowNotes().value(row - 1);
    if (note) output_.PlayDrumNote(*note, Pattern::kMaxLevel);
}

void PatternCommands::MnuOpen_Click() {
    EditStep step(form_.edits, tr("Pattern öffnen"));
    ClearPattern();
    form_.MixMode = false;
    patternFile_.LoadPatternFile();
}

void PatternCommands::openPattern(const QString& path) {
    EditStep step(form_.edits, tr("Pattern öffnen"));
    ClearPattern();
    patternFile_.openDocument(path);
}

void PatternCommands::loadStandardPattern(const QString& fileName) {
    form_.PendingFile = sys::ProgramFolder::path() + QLatin1Char('/') + fileName;
    MnuOpen_Click();
}
