#pragma once

#include "hosting/ambientproperties.h"
#include "shared/editjournal.h"
#include "shared/patternstore.h"
#include "shared/storedpattern.h"

#include <QList>
#include <QMainWindow>
#include <QRectF>
#include <memory>

class CheckArray;
class MainMenuBar;
class MainToolBar;
class LineView;
class QAbstractButton;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QAction;
class QLineEdit;
class QMenu;
class QScrollBar;
class QTimer;
class SongGrid;
class StepTimer;
class TagLabel;
namespace hosting {
class ControlWidget;
}

// The main window: its views, laid out in twips, and the members the subsystems share.
// It holds state only; the subsystems in the folders beside it connect their handlers to
// these views, and the composition root runs the start-up.
class Form1 : public QMainWindow {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override = default;

    // --- views of the pattern frame ---
    QGroupBox* Frame1 = nullptr;
    QLineEdit* txtPatNam = nullptr;
    QLineEdit* txtTakt = nullptr;
    QLineEdit* txtTNen = nullptr;
    QLineEdit* txtSubdivs = nullptr;
    QLineEdit* txtSpalt = nullptr;
    QLineEdit* txtBPM = nullptr;
    QLabel* lblTakt = nullptr;
    QLabel* lblSubDivs = nullptr;
    QLabel* lblTicks = nullptr;
    QLabel* lblBPM = nullptr;

    // Instrument rows: Label(0) is the hidden template, Label(1..N) the rows.
    TagLabel* Label(int index) const { return labels_.value(index); }
    int labelCount() const { return int(labels_.size()); }
    // Beat lines: Line1(0) is the reference line left of step 1, Line1(1..12) the beats.
    static constexpr int kBeatLines = 12;
    LineView* Line1(int index) const { return lines_.value(index); }
    // Step columns: checkArray(0) is the hidden template, checkArray(1..n) the steps.
    CheckArray* checkArray(int index) const { return columns_.value(index); }
    int checkArrayCount() const { return int(columns_.size()); }  // template included
    // Number of instrument rows (the template column's row count).
    int rowCount() const;

    // --- pattern playback ---
    QAbstractButton* BtnPlay = nullptr;  // two-state: down while the pattern plays
    QFrame* Cursor = nullptr;            // marks the playing column
    QScrollBar* GridScroll = nullptr;    // shown when the grid is wider than the screen
    StepTimer* tmrPlay = nullptr;
    int PlayPosition = 0;
    bool PatternMode = false;

    // --- pattern editing commands ---
    QAbstractButton* BtnClr = nullptr;
    QAbstractButton* ButMoveLeft = nullptr;
    QAbstractButton* ButMoveRight = nullptr;
    QCheckBox* chkPlayOnClick = nullptr;
    QAbstractButton* cmdLdStd = nullptr;
    QAbstractButton* cmdLdStdFill = nullptr;
    QTimer* tmrRepeatEvent = nullptr;
    QString RepeatDirection;

    // --- views of the song frame ---
    QGroupBox* frmSong = nullptr;
    SongGrid* MSFlexGrid1 = nullptr;
    QAbstractButton* cmdAddPatt = nullptr;
    QAbstractButton* cmdEditPat = nullptr;  // two-state: down while a stored pattern is edited
    QAbstractButton* cmdCancEd = nullptr;
    QAbstractButton* cmdCopy = nullptr;
    QAbstractButton* txtInsert = nullptr;  // a button, despite its name
    QAbstractButton* cmdCut = nullptr;
    QLabel* lblClipBoard = nullptr;
    QLineEdit* txtPatClipboard = nullptr;
    QLineEdit* txtSongNam = nullptr;
    QAbstractButton* cmdPlySng = nullptr;  // two-state: down while the song plays
    QFrame* FrameText = nullptr;           // the in-place editor of the song list
    QLineEdit* txtEdit = nullptr;

    // --- the song: its stored patterns, the clipboard, editing and playing state ---
    ::PatternStore PatternStore;
    ::PatternClipboard PatternClipboard;
    qint16 EditRow = 0;  // the cell the in-place editor edits
    qint16 EditCol = 0;
    qint16 SongRow = 0;       // the song row playing, 0 before a song was started
    QString SongHeader;       // the header text of the song file written or read last
    qint16 SongRowCount = 0;  // its row count
    int LoopsLeft = 0;

    // --- every edit of the pattern and the song is reported here, step by step ---
    EditJournal edits;

    // --- the MIDI output every note goes through, reached by dispatch identifier ---
    hosting::ControlWidget* MidiOutput1 = nullptr;
    hosting::AmbientProperties ambient;  // what the window tells the controls it holds
    static constexpr int kDispDeviceID = 1;
    static constexpr int kDispSendShortMessage = 2;

    // --- menus, toolbar and the quit button ---
    MainToolBar* Toolbar1 = nullptr;
    MainMenuBar* Menus = nullptr;         // the menu bar with its items Mnu...
    QAbstractButton* Command1 = nullptr;  // "End": quits after asking

    // --- document and layout state ---
    QString DataPath;
    QString PendingFile;
    bool MixMode = true;
    double StartFormWidth = 0;
    double StartFrame1Width = 0;
    double SongFrameOffset = 0;
    QString VersionHost;
    QString ReportHost;
    QString HomePageUrl;

    // Window width in twips (the client area, without the frame the window manager adds).
    double formWidth() const { return formWidth_; }
    void setFormWidth(double twips);

    // Views made during the start-up rather than with the window.
    void createBeatLines();
    void createInstrumentLabels();
    // Step column index placed after the others; the last one destroyed.
    CheckArray* createColumn(int index);
    void destroyLastColumn();

    // Tab follows the window's order: the toolbar, the grid's one stop (gridEntry), the
    // pattern frame and then the song frame row by row, the MIDI output control last. Views
    // made later join the chain at its end, so the order is put again for a new entry.
    void orderTabStops(QWidget* gridEntry = nullptr);

signals:
    // The window's size changed (formWidth() already holds the new width).
    void resized();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildPatternFrame();
    void buildPatternFields();
    void buildPlaybackViews();
    void buildCommandViews();
    void buildSongFrame();
    void buildToolbar();
    void buildSongCommands();

    QWidget* client_ = nullptr;
    QList<TagLabel*> labels_;
    QList<LineView*> lines_;
    QList<CheckArray*> columns_;
    double formWidth_ = 0;
};
