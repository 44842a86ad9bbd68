#pragma once

#include <QObject>
#include <QString>

class CheckArray;
class DrumOutput;
class Form1;
class GridGeometry;
class Pattern;
class PatternFile;
class PatternView;
class QAbstractButton;

// Commands on the pattern as a whole: clear, rotate one step (with auto-repeat while a
// rotate button is held), open a pattern or a standard pattern, and sound a row when a cell
// is clicked.
class PatternCommands : public QObject {
    Q_OBJECT

public:
    static constexpr int kFirstRepeatMs = 500;
    static constexpr int kRepeatMs = 250;

    // Connects the command buttons, the repeat timer and every step column made.
    PatternCommands(Form1& form, GridGeometry& geometry, PatternView& view, DrumOutput& output,
                    PatternFile& patternFile);

    void ClearPattern();
    void RotatePatternLeft();
    void RotatePatternRight();

    // Auto-repeat: button down starts the timer for a direction, button up stops it.
    void startRepeat(const QString& direction);
    void stopRepeat();
    void tmrRepeatEvent_Timer();

    // A step column reports that the level of a row changed through a click.
    void columnClicked(int row);
    // Opens a pattern file in place of the pattern on screen (menu "Pattern öffnen").
    void MnuOpen_Click();
    // Opens a named pattern file as "Pattern öffnen" opens a chosen one.
    void openPattern(const QString& path);
    // Loads one of the standard patterns beside the program ("Std.drm", "StdFill.drm").
    void loadStandardPattern(const QString& fileName);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchColumn(CheckArray* column);
    void watchRotateButton(QAbstractButton* button, const QString& direction);
    void change(void (Pattern::*edit)());
    // The held rotate button's run, which the history keeps as one step; 0 outside a run.
    int rotationRun() const;

    Form1& form_;
    PatternView& view_;
    DrumOutput& output_;
    PatternFile& patternFile_;
    int run_ = 0;
    bool runOpen_ = false;
};
