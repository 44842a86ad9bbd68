#pragma once

#include <QList>
#include <QMainWindow>
#include <memory>

class CheckArray;
class GridGeometry;
class LineView;
class PatternCommands;
class PatternFile;
class PatternPlayback;
class QCheckBox;
class QTimer;
class QAbstractButton;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class SongGrid;
class StepTimer;
class TagLabel;
namespace hosting {
class AmbientProperties;
class ControlWidget;
}  // namespace hosting
namespace sys {
class SingleInstance;
}

// The main window: owns the live pattern (its fields, instrument rows and step columns),
// the song list, the MIDI output and every piece of state the subsystems share. The
// subsystems keep their behaviour in their own folders and work on these members.
class Form1 : public QMainWindow {
    Q_OBJECT

public:
    // Editor: the window a user works in. Headless: a pattern bounced or played from the
    // command line, which is no second instance of the editor and so is not warned about.
    enum class StartMode { Editor, Headless };

    // Runs the whole start-up; rawCommandLine is the text after the program's own path.
    explicit Form1(const QString& rawCommandLine = {}, StartMode mode = StartMode::Editor,
                   QWidget* parent = nullptr);
    ~Form1() override;

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
    LineView* Line1(int index) const { return lines_.value(index); }
    // Step columns: checkArray(0) is the hidden template, checkArray(1..n) the steps.
    CheckArray* checkArray(int index) const { return columns_.value(index); }
    int checkArrayCount() const { return int(columns_.size()); }  // template included
    // Number of instrument rows (the template column's row count).
    int rowCount() const;

    // --- pattern playback ---
    QAbstractButton* BtnPlay = nullptr;  // two-state: down while the pattern plays
    QFrame* Cursor = nullptr;            // marks the playing column
    StepTimer* tmrPlay = nullptr;
    int PlayPosition = 0;
    bool PatternMode = false;
    // Sounds one drum note at a level 1..3; errors of the output are swallowed.
    void PlayDrumNote(int note, int level);
    PatternPlayback& playback() { return *playback_; }

    // --- pattern editing commands ---
    QAbstractButton* BtnClr = nullptr;
    QAbstractButton* ButMoveLeft = nullptr;
    QAbstractButton* ButMoveRight = nullptr;
    QCheckBox* chkPlayOnClick = nullptr;
    QAbstractButton* cmdLdStd = nullptr;
    QAbstractButton* cmdLdStdFill = nullptr;
    QTimer* tmrRepeatEvent = nullptr;
    QString RepeatDirection;
    PatternCommands& commands() { return *commands_; }

    // --- pattern documents ---
    void MnuSaveAs_Click();
    void MnuOpen_Click();
    void MnuMix_Click();
    bool LoadPatternFile();
    // Opens a pattern file as the command line does: no dialog, no mixing question.
    bool openPatternDocument(const QString& path);

    // --- views of the song frame ---
    QGroupBox* frmSong = nullptr;
    SongGrid* MSFlexGrid1 = nullptr;

    // --- the MIDI output every note goes through, reached by dispatch identifier ---
    hosting::ControlWidget* MidiOutput1 = nullptr;
    static constexpr int kDispDeviceID = 1;
    static constexpr int kDispSendShortMessage = 2;

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
    double formWidth() const;
    void setFormWidth(double twips);

    // Grid shape, run on every change of the step count (and once at start-up).
    void RebuildGrid();

    // Column management for the grid geometry.
    CheckArray* createColumn(int index);
    void destroyLastColumn();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildViews();
    void buildPatternFrame();
    void buildPatternFields();
    void buildPlaybackViews();
    void buildCommandViews();
    QAbstractButton* addButton(const QString& name, const QString& caption, double left,
                               double top, double width, double height);
    void buildSongFrame();
    QLineEdit* addField(const QString& name, const QString& text, double left, double width);
    QLabel* addCaption(const QString& text, double left, double width);
    void connectFieldHandlers();

    void runStartup(const QString& rawCommandLine, StartMode mode);
    void warnWhenAnotherInstanceRuns();
    void prepareDataPath();
    void prepareSongList();
    void recordLayoutWidths();
    void createMidiOutput();
    void createBeatLines();
    void createInstrumentLabels();
    void readInstrumentList();
    void openCommandLineDocument(const QString& rawCommandLine);

    QWidget* client_ = nullptr;
    QList<TagLabel*> labels_;
    QList<LineView*> lines_;
    QList<CheckArray*> columns_;
    std::unique_ptr<GridGeometry> geometry_;
    std::unique_ptr<PatternPlayback> playback_;
    std::unique_ptr<PatternCommands> commands_;
    std::unique_ptr<PatternFile> patternFile_;
    std::unique_ptr<hosting::AmbientProperties> ambient_;
    std::unique_ptr<sys::SingleInstance> instance_;
    double formWidth_ = 0;
};
