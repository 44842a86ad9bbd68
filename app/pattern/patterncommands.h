#pragma once

#include <QObject>
#include <QString>

class Form1;
class QAbstractButton;

// Commands on the pattern as a whole: clear, rotate one step (with auto-repeat while a
// rotate button is held), load a standard pattern, and sound a row when a cell is clicked.
class PatternCommands : public QObject {
    Q_OBJECT

public:
    static constexpr int kFirstRepeatMs = 500;
    static constexpr int kRepeatMs = 250;

    explicit PatternCommands(Form1& form);

    void ClearPattern();
    void RotatePatternLeft();
    void RotatePatternRight();

    // Auto-repeat: button down starts the timer for a direction, button up stops it.
    void startRepeat(const QString& direction);
    void stopRepeat();
    void tmrRepeatEvent_Timer();

    // A step column reports that the level of a row changed through a click.
    void columnClicked(int row);
    // Loads one of the standard patterns beside the program ("Std.drm", "StdFill.drm").
    void loadStandardPattern(const QString& fileName);

    // Watches a rotate button for presses and releases of any mouse button.
    void watchRotateButton(QAbstractButton* button, const QString& direction);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void copyLevel(int fromColumn, int toColumn, int row);

    Form1& form_;
};
