#include "form1.h"

#include "hosting/ambientproperties.h"
#include "hosting/controlmodule.h"
#include "hosting/controlwidget.h"
#include "midicontrols/module/sonaportids.h"
#include "midicontrols/module/sonaportmodule.h"
#include "shared/steptimer.h"
#include "shared/checkarray.h"
#include "shared/lineview.h"
#include "shared/taglabel.h"
#include "shared/songgrid.h"
#include "system/twips.h"
#include "system/twipsgeometry.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

// Layout of the window in twips.
constexpr double kClientWidth = 9975;
constexpr double kClientHeight = 7215;
constexpr double kFieldCaptionTop = 4860;
constexpr double kFieldCaptionHeight = 195;
constexpr double kFieldTop = 5055;
constexpr double kFieldHeight = 285;
constexpr double kLineTop = 120;
constexpr double kLineBottom = 4800;
// The reference beat line stands at the left edge of step 1.
constexpr double kReferenceLineX = 2250;
// Column 0 of the template sits one column left of step 1: step c is at c widths right.
constexpr double kTemplateColumnLeft = 2040;
constexpr double kGridTop = 360;

// Twenty-five characters: the template label is as wide as the longest instrument name.
const char kTemplateCaption[] = "Label 7890123456789012345";

}  // namespace

Form1::Form1(QWidget* parent)
    : QMainWindow(parent), ambient_(std::make_unique<hosting::AmbientProperties>()) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Beatloft"));
    client_ = new QWidget(this);
    setCentralWidget(client_);
    formWidth_ = kClientWidth;
    resize(sys::twipsToPixels(kClientWidth), sys::twipsToPixels(kClientHeight));
    buildPatternFrame();
    buildSongFrame();
}

Form1::~Form1() = default;

void Form1::buildPatternFrame() {
    Frame1 = new QGroupBox(QStringLiteral("Pattern"), client_);
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

QLineEdit* Form1::addField(const QString& name, const QString& text, double left, double width) {
    auto* field = new QLineEdit(text, Frame1);
    field->setObjectName(name);
    sys::TwipsGeometry::set(field, left, kFieldTop, width, kFieldHeight);
    return field;
}

QLabel* Form1::addCaption(const QString& text, double left, double width) {
    auto* caption = new QLabel(text, Frame1);
    caption->setTextFormat(Qt::PlainText);
    sys::TwipsGeometry::set(caption, left, kFieldCaptionTop, width, kFieldCaptionHeight);
    return caption;
}

void Form1::buildPatternFields() {
    txtPatNam = addField(QStringLiteral("txtPatNam"), QStringLiteral("PatNam"), 120, 1800);
    lblTakt = addCaption(QStringLiteral("Takt"), 2040, 855);
    txtTakt = addField(QStringLiteral("txtTakt"), QStringLiteral("4"), 2040, 375);
    txtTNen = addField(QStringLiteral("txtTNen"), QStringLiteral("4"), 2520, 375);
    lblSubDivs = addCaption(QStringLiteral("SubDivs"), 3015, 855);
    txtSubdivs = addField(QStringLiteral("txtSubdivs"), QStringLiteral("4"), 3015, 615);
    lblTicks = addCaption(QStringLiteral("Ticks"), 3870, 615);
    txtSpalt = addField(QStringLiteral("txtSpalt"), QStringLiteral("16"), 3870, 615);
    lblBPM = addCaption(QStringLiteral("BPM"), 4605, 615);
    txtBPM = addField(QStringLiteral("txtBPM"), QStringLiteral("100"), 4605, 615);
}

QAbstractButton* Form1::addButton(const QString& name, const QString& caption, double left,
                                  double top, double width, double height) {
    auto* button = new QPushButton(caption, Frame1);
    button->setObjectName(name);
    sys::TwipsGeometry::set(button, left, top, width, height);
    return button;
}

void Form1::buildPlaybackViews() {
    BtnPlay = addButton(QStringLiteral("BtnPlay"), QStringLiteral("Play"), 120, 5520, 855, 375);
    BtnPlay->setCheckable(true);

    Cursor = new QFrame(Frame1);
    Cursor->setObjectName(QStringLiteral("Cursor"));
    Cursor->setFrameShape(QFrame::Box);
    Cursor->setStyleSheet(QStringLiteral("QFrame#Cursor { border: 2px solid #1060d0; }"));
    Cursor->setAttribute(Qt::WA_TransparentForMouseEvents);
    sys::TwipsGeometry::set(Cursor, 2280, 330, 240, 4380);
    Cursor->hide();

    tmrPlay = new StepTimer(this);
}

void Form1::buildCommandViews() {
    BtnClr = addButton(QStringLiteral("BtnClr"), QStringLiteral("Clr"), 1035, 5520, 615, 375);
    ButMoveLeft = addButton(QStringLiteral("ButMoveLeft"), QStringLiteral("<---"), 1710, 5520, 615, 375);
    ButMoveRight = addButton(QStringLiteral("ButMoveRight"), QStringLiteral("--->"), 2385, 5520, 615, 375);
    chkPlayOnClick = new QCheckBox(QStringLiteral("PlayOnClick"), Frame1);
    chkPlayOnClick->setObjectName(QStringLiteral("chkPlayOnClick"));
    chkPlayOnClick->setToolTip(
        QStringLiteral("Soll beim anklciken einer Note diese gleich gespielt werden?"));
    chkPlayOnClick->setChecked(true);
    sys::TwipsGeometry::set(chkPlayOnClick, 3120, 5520, 1335, 375);
    cmdLdStd = addButton(QStringLiteral("cmdLdStd"), QStringLiteral("StdPattern"), 120, 5955, 1095, 330);
    cmdLdStdFill = addButton(QStringLiteral("cmdLdStdFill"), QStringLiteral("StdFill"), 1275, 5955, 1095, 330);
    tmrRepeatEvent = new QTimer(this);
    tmrRepeatEvent->setTimerType(Qt::PreciseTimer);
}

void Form1::buildSongFrame() {
    frmSong = new QGroupBox(QStringLiteral("Song"), client_);
    sys::TwipsGeometry::set(frmSong, 6360, 720, 3495, 6375);
    MSFlexGrid1 = new SongGrid(3, frmSong);
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->setRows(2);
    sys::TwipsGeometry::set(MSFlexGrid1, 120, 240, 3255, 4335);
}

int Form1::rowCount() const { return columns_.constFirst()->nElements(); }

// Created by its class identifier and driven only through dispatch, as any container would.
void Form1::createMidiOutput() {
    sonaport::module();  // the library ships with the program: make sure it is loaded
    ambient_->setUserMode(true);
    QWidget* control =
        hosting::ControlModule::createControl(sonaport::ids::kMidiOutput.control, frmSong);
    MidiOutput1 = qobject_cast<hosting::ControlWidget*>(control);
    if (!MidiOutput1) return;
    MidiOutput1->setObjectName(QStringLiteral("MidiOutput1"));
    MidiOutput1->setAmbient(ambient_.get());
    sys::TwipsGeometry::set(MidiOutput1, 120, 5880, 3255, 300);
    MidiOutput1->show();
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
    emit resized();
}
