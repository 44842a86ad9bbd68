#include "form1.h"

#include "docs/patternfile.h"
#include "hosting/ambientproperties.h"
#include "hosting/controlmodule.h"
#include "hosting/controlwidget.h"
#include "midicontrols/module/sonaportids.h"
#include "midicontrols/module/sonaportmodule.h"
#include "shared/checkarray.h"
#include "pattern/commandlinedocument.h"
#include "pattern/gridgeometry.h"
#include "pattern/instrumentlist.h"
#include "shared/lineview.h"
#include "pattern/patterncommands.h"
#include "shared/selectallonfocus.h"
#include "shared/taglabel.h"
#include "playback/patternplayback.h"
#include "playback/steptimer.h"
#include "song/songgrid.h"
#include "system/dialogs.h"
#include "system/documenttypes.h"
#include "system/programfolder.h"
#include "system/singleinstance.h"
#include "system/twips.h"
#include "system/twipsgeometry.h"

#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>

namespace {

// Layout of the window in twips.
constexpr double kClientWidth = 9975;
constexpr double kClientHeight = 7215;
constexpr double kFieldCaptionTop = 4860;
constexpr double kFieldTop = 5055;
constexpr double kFieldHeight = 285;
constexpr double kLineTop = 120;
constexpr double kLineBottom = 4800;
constexpr double kReferenceLineX = 2250;
constexpr double kSongListColumnWidth = 500;

const char kTemplateCaption[] = "Label 7890123456789012345";

// Steps from showing the window on may fail without stopping the start-up.
template <typename Step>
void skippingFailures(Step step) {
    try {
        step();
    } catch (...) {
    }
}

}  // namespace

Form1::Form1(const QString& rawCommandLine, StartMode mode, QWidget* parent)
    : QMainWindow(parent), ambient_(std::make_unique<hosting::AmbientProperties>()) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Beatloft"));
    geometry_ = std::make_unique<GridGeometry>(*this);
    playback_ = std::make_unique<PatternPlayback>(*this);
    commands_ = std::make_unique<PatternCommands>(*this);
    patternFile_ = std::make_unique<PatternFile>(*this);
    buildViews();
    runStartup(rawCommandLine, mode);
}

Form1::~Form1() = default;

// ---------------------------------------------------------------- views

void Form1::buildViews() {
    client_ = new QWidget(this);
    setCentralWidget(client_);
    formWidth_ = kClientWidth;
    resize(sys::twipsToPixels(kClientWidth), sys::twipsToPixels(kClientHeight));
    buildPatternFrame();
    buildSongFrame();
    connectFieldHandlers();
}

void Form1::buildPatternFrame() {
    Frame1 = new QGroupBox(QStringLiteral("Pattern"), client_);
    sys::TwipsGeometry::set(Frame1, 120, 720, 6135, 6375);

    auto* label = new TagLabel(QString::fromLatin1(kTemplateCaption), Frame1);
    sys::TwipsGeometry::set(label, 0, 360, 2175, 255);
    label->hide();
    labels_ = {label};

    auto* reference = new LineView(Frame1);
    reference->setPoints(kReferenceLineX, kLineTop, kReferenceLineX, kLineBottom);
    lines_ = {reference};

    auto* column = new CheckArray(Frame1);
    sys::TwipsGeometry::set(column, 2040, 360, 240, 4320);
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
    sys::TwipsGeometry::set(caption, left, kFieldCaptionTop, width, 195);
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
    connect(BtnPlay, &QAbstractButton::clicked, this, [this] { playback_->BtnPlay_Click(); });

    Cursor = new QFrame(Frame1);
    Cursor->setObjectName(QStringLiteral("Cursor"));
    Cursor->setFrameShape(QFrame::Box);
    Cursor->setStyleSheet(QStringLiteral("QFrame#Cursor { border: 2px solid #1060d0; }"));
    Cursor->setAttribute(Qt::WA_TransparentForMouseEvents);
    sys::TwipsGeometry::set(Cursor, 2280, 330, 240, 4380);
    Cursor->hide();

    tmrPlay = new StepTimer(this);
    connect(tmrPlay, &StepTimer::Timer, this, [this] { playback_->tmrPlay_Timer(); });
}

void Form1::PlayDrumNote(int note, int level) { playback_->PlayDrumNote(note, level); }

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

    connect(BtnClr, &QAbstractButton::clicked, this, [this] { commands_->ClearPattern(); });
    connect(ButMoveLeft, &QAbstractButton::clicked, this, [this] { commands_->RotatePatternLeft(); });
    connect(ButMoveRight, &QAbstractButton::clicked, this, [this] { commands_->RotatePatternRight(); });
    commands_->watchRotateButton(ButMoveLeft, QStringLiteral("MoveLeft"));
    commands_->watchRotateButton(ButMoveRight, QStringLiteral("MoveRight"));
    connect(tmrRepeatEvent, &QTimer::timeout, this, [this] { commands_->tmrRepeatEvent_Timer(); });
    connect(cmdLdStd, &QAbstractButton::clicked, this,
            [this] { commands_->loadStandardPattern(QStringLiteral("Std.drm")); });
    connect(cmdLdStdFill, &QAbstractButton::clicked, this,
            [this] { commands_->loadStandardPattern(QStringLiteral("StdFill.drm")); });
}

void Form1::MnuSaveAs_Click() { patternFile_->SavePatternFile(); }

void Form1::MnuOpen_Click() {
    commands_->ClearPattern();
    MixMode = false;
    patternFile_->LoadPatternFile();
}

void Form1::MnuMix_Click() { patternFile_->LoadPatternFile(); }

bool Form1::LoadPatternFile() { return patternFile_->LoadPatternFile(); }

bool Form1::openPatternDocument(const QString& path) {
    PendingFile = path;
    MixMode = false;
    return patternFile_->LoadPatternFile();
}

void Form1::buildSongFrame() {
    frmSong = new QGroupBox(QStringLiteral("Song"), client_);
    sys::TwipsGeometry::set(frmSong, 6360, 720, 3495, 6375);
    MSFlexGrid1 = new SongGrid(3, frmSong);
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->setRows(2);
    sys::TwipsGeometry::set(MSFlexGrid1, 120, 240, 3255, 4335);
}

void Form1::connectFieldHandlers() {
    connect(txtSpalt, &QLineEdit::textChanged, this, [this] { RebuildGrid(); });
    connect(txtTakt, &QLineEdit::textChanged, this, [this] { geometry_->updateStepCount(); });
    connect(txtSubdivs, &QLineEdit::textChanged, this, [this] { geometry_->updateStepCount(); });
    auto* selectAll = new SelectAllOnFocus(this);
    txtTakt->installEventFilter(selectAll);
    txtSubdivs->installEventFilter(selectAll);
}

// ---------------------------------------------------------------- grid

int Form1::rowCount() const { return columns_.constFirst()->nElements(); }

void Form1::RebuildGrid() { geometry_->RebuildGrid(); }

CheckArray* Form1::createColumn(int index) {
    const QRectF templ = sys::TwipsGeometry::of(columns_.constFirst());
    auto* column = new CheckArray(Frame1);
    const int rows = columns_.constFirst()->nElements();
    if (column->nElements() != rows) column->setNElements(rows);  // a new column has 18
    sys::TwipsGeometry::set(column, templ.x() + index * templ.width(), templ.y(), templ.width(),
                            templ.height());
    connect(column, &CheckArray::Click, this, [this](int row) { commands_->columnClicked(row); });
    column->show();
    if (Cursor) Cursor->raise();
    columns_.append(column);
    return column;
}

void Form1::destroyLastColumn() {
    if (columns_.size() > 1) delete columns_.takeLast();
}

double Form1::formWidth() const { return formWidth_; }

void Form1::setFormWidth(double twips) {
    formWidth_ = twips;
    resize(qMax(1, sys::twipsToPixels(twips)), height());
}

void Form1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (width() != sys::twipsToPixels(formWidth_)) formWidth_ = sys::pixelsToTwips(width());
    if (frmSong) geometry_->keepSongFrameAtRightEdge();
}

// ---------------------------------------------------------------- start-up

void Form1::runStartup(const QString& rawCommandLine, StartMode mode) {
    if (mode == StartMode::Editor) warnWhenAnotherInstanceRuns();
    if (mode == StartMode::Editor) sys::DocumentTypes::RegisterDocumentType(".drm", "Drum-Pattern");
    if (mode == StartMode::Editor) sys::DocumentTypes::RegisterDocumentType(".dsg", "Drum-Song");
    VersionHost = QStringLiteral("beatloft.example.org");
    ReportHost = QStringLiteral("report.beatloft.example.org");
    HomePageUrl = QStringLiteral("https://beatloft.example.org/");
    prepareDataPath();
    prepareSongList();
    recordLayoutWidths();
    MixMode = true;
    skippingFailures([this] { show(); });
    skippingFailures([this] { createMidiOutput(); });
    skippingFailures([this] { createBeatLines(); });
    skippingFailures([this] { RebuildGrid(); });
    skippingFailures([this] { createInstrumentLabels(); });
    skippingFailures([this] { readInstrumentList(); });
    skippingFailures([this, rawCommandLine] { openCommandLineDocument(rawCommandLine); });
}

void Form1::warnWhenAnotherInstanceRuns() {
    instance_ = std::make_unique<sys::SingleInstance>(QStringLiteral("beatloft"));
    if (instance_->isAnotherRunning())
        sys::Dialogs::current().message(QStringLiteral("es läuft noch eine Instanz des Programmes"));
}

// The data folder sits beside the program; a read-only installation keeps the user's
// files in the user's own data folder instead.
void Form1::prepareDataPath() {
    DataPath = sys::ProgramFolder::path() + QStringLiteral("/Data");
    if (QDir().mkpath(DataPath) && QFileInfo(DataPath).isWritable()) return;
    DataPath = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
               QStringLiteral("/Beatloft");
    QDir().mkpath(DataPath);
}

void Form1::prepareSongList() {
    MSFlexGrid1->setTextMatrix(0, 0, QStringLiteral("Pattern-Name"));
    MSFlexGrid1->setTextMatrix(0, 1, QStringLiteral("loops"));
    MSFlexGrid1->setTextMatrix(0, 2, QStringLiteral("BPM"));
    MSFlexGrid1->setColWidth(1, kSongListColumnWidth);
    MSFlexGrid1->setColWidth(2, kSongListColumnWidth);
    const double listWidth = sys::TwipsGeometry::of(MSFlexGrid1).width();
    MSFlexGrid1->setColWidth(0, listWidth - 2 * kSongListColumnWidth - 50);
    MSFlexGrid1->setColAlignment(0, SongGrid::kAlignLeftCenter);
}

void Form1::recordLayoutWidths() {
    SongFrameOffset = formWidth() - sys::TwipsGeometry::of(frmSong).x();
    StartFormWidth = formWidth();
    StartFrame1Width = sys::TwipsGeometry::of(Frame1).width();
}

// Created by its class identifier and driven only through dispatch, as any container
// would; device 8 lands on the last device when fewer exist (the built-in synthesizer).
void Form1::createMidiOutput() {
    sonaport::module();  // the library ships with the program: make sure it is loaded
    ambient_->setUserMode(true);
    QWidget* control = hosting::ControlModule::createControl(sonaport::ids::kMidiOutput.control, frmSong);
    MidiOutput1 = qobject_cast<hosting::ControlWidget*>(control);
    if (!MidiOutput1) return;
    MidiOutput1->setObjectName(QStringLiteral("MidiOutput1"));
    MidiOutput1->setAmbient(ambient_.get());
    sys::TwipsGeometry::set(MidiOutput1, 120, 5880, 3255, 300);
    MidiOutput1->show();
    MidiOutput1->putProperty(kDispDeviceID, QVariant::fromValue<qint16>(8));
}

void Form1::createBeatLines() {
    const LineView* reference = lines_.constFirst();
    for (int i = 1; i <= GridGeometry::kBeatLines; ++i) {
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
        sys::TwipsGeometry::set(label, g.x(), (r - 1) * 240 + g.y(), g.width(), g.height());
        label->show();
        labels_.append(label);
    }
}

void Form1::readInstrumentList() {
    const InstrumentList list = InstrumentList::read(
        sys::ProgramFolder::path() + QStringLiteral("/Instrumentation.txt"), rowCount());
    for (int k = 0; k < list.rows.size() && k + 1 < labels_.size(); ++k) {
        labels_[k + 1]->setText(list.rows[k].name);
        labels_[k + 1]->setTag(list.rows[k].note);
    }
    if (list.tooMany)
        sys::Dialogs::current().message(QStringLiteral("Zu viele Elemente!"), sys::MessageButtons::Ok,
                                        sys::MessageIcon::Exclamation);
}

void Form1::openCommandLineDocument(const QString& rawCommandLine) {
    const CommandLineDocument document = CommandLineDocument::parse(rawCommandLine);
    if (document.kind == CommandLineDocument::Pattern) openPatternDocument(document.path);
}
