#include "form1.h"

#include "hosting/controlwidget.h"
#include "system/twips.h"
#include "system/twipsgeometry.h"
#include "views/checkarray.h"
#include "views/lineview.h"
#include "views/mainmenubar.h"
#include "views/maintoolbar.h"
#include "views/songgrid.h"
#include "views/taglabel.h"
#include "views/twipsviews.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPalette>
#include <QScrollBar>
#include <QTimer>

using twipsviews::caption;
using twipsviews::field;

namespace {

// Layout of the window in twips.
constexpr double kClientWidth = 9975;
constexpr double kClientHeight = 7215;
constexpr double kToolbarHeight = 600;
constexpr double kFieldCaptionTop = 4860;
constexpr double kFieldTop = 5055;
constexpr double kFieldHeight = 285;
constexpr double kCaptionHeight = 195;
constexpr double kLineTop = 120;
constexpr double kLineBottom = 4800;
// The reference beat line stands at the left edge of step 1.
constexpr double kReferenceLineX = 2250;
// Column 0 of the template sits one column left of step 1: step c is at c widths right.
constexpr double kTemplateColumnLeft = 2040;
constexpr double kGridTop = 360;
// Rows of the song frame's commands below the list.
constexpr double kSongRow1 = 4650, kSongRow2 = 4980, kSongRow3 = 5310, kSongRow4 = 5640;
constexpr double kSongRowHeight = 300;

// Twenty-five characters: the template label is as wide as the longest instrument name.
const char kTemplateCaption[] = "Label 7890123456789012345";

QRectF fieldAt(double left, double width) {
    return {left, kFieldTop, width, kFieldHeight};
}
QRectF captionAt(double left, double width) {
    return {left, kFieldCaptionTop, width, kCaptionHeight};
}

// The first part of a control that takes Tab; a widget's children follow it in the chain.
QWidget* tabStopIn(QWidget* control) {
    for (QWidget* w = control; w == control || control->isAncestorOf(w); w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus) return w;
    return nullptr;
}

}  // namespace

Form1::Form1(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Beatloft"));
    client_ = new QWidget(this);
    setCentralWidget(client_);
    formWidth_ = kClientWidth;
    // The frames keep their size in twips; the window sets no limits of its own on its size.
    layout()->setSizeConstraint(QLayout::SetNoConstraint);
    Menus = new MainMenuBar(this);
    setMenuBar(Menus);
    buildToolbar();
    resize(sys::twipsToPixels(kClientWidth),
           sys::twipsToPixels(kClientHeight) + Menus->sizeHint().height());
    buildPatternFrame();
    buildSongFrame();
    orderTabStops();
}

void Form1::buildToolbar() {
    // The toolbar stands in the band of the client area above the two frames.
    Toolbar1 = new MainToolBar(client_);
    sys::TwipsGeometry::set(Toolbar1, 0, 0, kClientWidth, kToolbarHeight);
}

void Form1::buildPatternFrame() {
    Frame1 = new QGroupBox(tr("Pattern"), client_);
    sys::TwipsGeometry::set(Frame1, 120, 720, 6135, 6375);

    auto* label = new TagLabel(QString::fromLatin1(kTemplateCaption), Frame1);
    sys::TwipsGeometry::set(label, 0, kGridTop, 2175, 255);
    label->hide();
    labels_ = {label};

    auto* reference = new LineView(Frame1);
    reference->setPoints(kReferenceLineX, kLineTop, kReferenceLineX, kLineBottom);
    lines_ = {reference};

    auto* column = new CheckArray(Frame1);
    sys::TwipsGeometry::set(column, kTemplateColumnLeft, kGridTop, CheckArray::kRowTwips,
                            CheckArray::kDefaultRows * CheckArray::kRowTwips);
    column->hide();
    columns_ = {column};

    buildPatternFields();
    buildPlaybackViews();
    buildCommandViews();
}

void Form1::buildPatternFields() {
    txtPatNam =
        field(Frame1, QStringLiteral("txtPatNam"), QStringLiteral("PatNam"), fieldAt(120, 1800));
    txtPatNam->setAccessibleName(tr("Pattern-Name"));
    txtTakt = field(Frame1, QStringLiteral("txtTakt"), QStringLiteral("4"), fieldAt(2040, 375));
    lblTakt = caption(Frame1, tr("Takt"), captionAt(2040, 855), txtTakt);
    txtTNen = field(Frame1, QStringLiteral("txtTNen"), QStringLiteral("4"), fieldAt(2520, 375));
    txtTNen->setAccessibleName(tr("Taktnenner"));
    txtSubdivs =
        field(Frame1, QStringLiteral("txtSubdivs"), QStringLiteral("4"), fieldAt(3015, 615));
    lblSubDivs = caption(Frame1, tr("SubDivs"), captionAt(3015, 855), txtSubdivs);
    txtSpalt = field(Frame1, QStringLiteral("txtSpalt"), QStringLiteral("16"), fieldAt(3870, 615));
    lblTicks = caption(Frame1, tr("Ticks"), captionAt(3870, 615), txtSpalt);
    txtBPM = field(Frame1, QStringLiteral("txtBPM"), QStringLiteral("100"), fieldAt(4605, 615));
    lblBPM = caption(Frame1, tr("BPM"), captionAt(4605, 615), txtBPM);
}

void Form1::buildPlaybackViews() {
    Cursor = new QFrame(Frame1);
    Cursor->setObjectName(QStringLiteral("Cursor"));
    // A plain two-pixel box in the cursor's blue.
    Cursor->setFrameStyle(QFrame::Box | QFrame::Plain);
    Cursor->setLineWidth(2);
    QPalette blue = Cursor->palette();
    blue.setColor(QPalette::WindowText, QColor(0x10, 0x60, 0xd0));
    Cursor->setPalette(blue);
    Cursor->setAttribute(Qt::WA_TransparentForMouseEvents);
    sys::TwipsGeometry::set(Cursor, 2280, 330, 240, 4380);
    Cursor->hide();
    GridScroll = new QScrollBar(Qt::Horizontal, Frame1);
    GridScroll->setObjectName(QStringLiteral("GridScroll"));
    GridScroll->setAccessibleName(tr("Schritte"));
    GridScroll->hide();
}

void Form1::buildCommandViews() {
    twipsviews::buttons(
        this, Frame1,
        {{&Form1::BtnPlay, "BtnPlay", QT_TR_NOOP("Play"), {120, 5520, 855, 375}, true},
         {&Form1::BtnClr, "BtnClr", QT_TR_NOOP("Clr"), {1035, 5520, 615, 375}},
         {&Form1::ButMoveLeft, "ButMoveLeft", "<---", {1710, 5520, 615, 375}},
         {&Form1::ButMoveRight, "ButMoveRight", "--->", {2385, 5520, 615, 375}},
         {&Form1::cmdLdStd, "cmdLdStd", QT_TR_NOOP("StdPattern"), {120, 5955, 1095, 330}},
         {&Form1::cmdLdStdFill, "cmdLdStdFill", QT_TR_NOOP("StdFill"), {1275, 5955, 1095, 330}},
         {&Form1::Command1, "Command1", QT_TR_NOOP("End"), {4920, 5955, 1095, 330}}});
    // The check box takes the free room up to "End" below, so its caption is never cut.
    chkPlayOnClick = twipsviews::checkBox(Frame1, QStringLiteral("chkPlayOnClick"),
                                          tr("PlayOnClick"), {3120, 5520, 1800, 375});
    chkPlayOnClick->setToolTip(tr("Soll beim anklciken einer Note diese gleich gespielt werden?"));
    chkPlayOnClick->setChecked(true);
    tmrRepeatEvent = new QTimer(this);
    tmrRepeatEvent->setTimerType(Qt::PreciseTimer);
}

void Form1::buildSongFrame() {
    frmSong = new QGroupBox(tr("Song"), client_);
    sys::TwipsGeometry::set(frmSong, 6360, 720, 3495, 6375);
    MSFlexGrid1 = new SongGrid(3, frmSong);
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->setAccessibleName(tr("Song"));
    MSFlexGrid1->setRows(2);
    sys::TwipsGeometry::set(MSFlexGrid1, 120, 240, 3255, 4335);
    FrameText = new QFrame(frmSong);
    FrameText->setObjectName(QStringLiteral("FrameText"));
    txtEdit = field(FrameText, QStringLiteral("txtEdit"), QString(), {0, 0, 1000, 255});
    FrameText->hide();
    buildSongCommands();
}

void Form1::buildSongCommands() {
    const double h = kSongRowHeight;
    twipsviews::buttons(
        this, frmSong,
        {{&Form1::cmdAddPatt, "cmdAddPatt", QT_TR_NOOP("Ins Pat ->"), {120, kSongRow1, 1035, h}},
         {&Form1::cmdEditPat,
          "cmdEditPat",
          QT_TR_NOOP("<- Edit"),
          {1200, kSongRow1, 1035, h},
          true},
         {&Form1::cmdCancEd, "cmdCancEd", QT_TR_NOOP("Cancel"), {2280, kSongRow1, 1095, h}},
         {&Form1::cmdCopy, "cmdCopy", QT_TR_NOOP("Copy Pat"), {120, kSongRow2, 1035, h}},
         {&Form1::txtInsert, "txtInsert", QT_TR_NOOP("Insert Pat"), {1200, kSongRow2, 1035, h}},
         {&Form1::cmdCut, "cmdCut", QT_TR_NOOP("Remove Pat"), {2280, kSongRow2, 1095, h}},
         {&Form1::cmdPlySng, "cmdPlySng", QT_TR_NOOP("Play"), {2400, kSongRow4, 975, h}, true}});
    cmdCancEd->hide();
    cmdCancEd->setEnabled(false);
    txtPatClipboard =
        field(frmSong, QStringLiteral("txtPatClipboard"), QString(), {1035, kSongRow3, 2340, h});
    txtPatClipboard->setReadOnly(true);
    lblClipBoard = caption(frmSong, tr("ClipBoard"), {120, kSongRow3, 855, h}, txtPatClipboard);
    txtSongNam = field(frmSong, QStringLiteral("txtSongNam"), QStringLiteral("SongNam"),
                       {120, kSongRow4, 2205, h});
    txtSongNam->setAccessibleName(tr("Song-Name"));
}

// The toolbar's buttons come first in the chain, made first; the rest is put after the
// grid's entry, or after the pattern name while there is no grid.
void Form1::orderTabStops(QWidget* gridEntry) {
    QList<QWidget*> order{gridEntry,    txtPatNam,      txtTakt,    txtTNen,         txtSubdivs,
                          txtSpalt,     txtBPM,         BtnPlay,    BtnClr,          ButMoveLeft,
                          ButMoveRight, chkPlayOnClick, cmdLdStd,   cmdLdStdFill,    Command1,
                          MSFlexGrid1,  txtEdit,        cmdAddPatt, cmdEditPat,      cmdCancEd,
                          cmdCopy,      txtInsert,      cmdCut,     txtPatClipboard, txtSongNam,
                          cmdPlySng};
    if (MidiOutput1) order << tabStopIn(MidiOutput1);
    order.removeAll(nullptr);
    for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

int Form1::rowCount() const {
    return columns_.constFirst()->nElements();
}

void Form1::createBeatLines() {
    const LineView* reference = lines_.constFirst();
    for (int i = 1; i <= kBeatLines; ++i) {
        auto* line = new LineView(Frame1);
        line->setPoints(reference->x1(), reference->y1(), reference->x2(), reference->y2());
        line->show();
        lines_.append(line);
    }
}

void Form1::createInstrumentLabels() {
    const TagLabel* templ = labels_.constFirst();
    const QRectF g = sys::TwipsGeometry::of(templ);
    for (int r = 1; r <= rowCount(); ++r) {
        auto* label = new TagLabel(templ->text(), Frame1);
        label->setFont(templ->font());
        sys::TwipsGeometry::set(label, g.x(), (r - 1) * CheckArray::kRowTwips + g.y(), g.width(),
                                g.height());
        label->show();
        labels_.append(label);
    }
}

CheckArray* Form1::createColumn(int index) {
    const QRectF templ = sys::TwipsGeometry::of(columns_.constFirst());
    auto* column = new CheckArray(Frame1);
    const int rows = columns_.constFirst()->nElements();
    if (column->nElements() != rows) column->setNElements(rows);  // a new column has 18
    sys::TwipsGeometry::set(column, templ.x() + index * templ.width(), templ.y(), templ.width(),
                            templ.height());
    column->show();
    if (Cursor) Cursor->raise();
    columns_.append(column);
    return column;
}

void Form1::destroyLastColumn() {
    if (columns_.size() > 1) delete columns_.takeLast();
}

void Form1::setFormWidth(double twips) {
    formWidth_ = twips;
    resize(qMax(1, sys::twipsToPixels(twips)), height());
}

void Form1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (width() != sys::twipsToPixels(formWidth_)) formWidth_ = sys::pixelsToTwips(width());
    if (Toolbar1) sys::TwipsGeometry::setWidth(Toolbar1, formWidth_);
    emit resized();
}
