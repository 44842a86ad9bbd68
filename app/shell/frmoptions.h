#pragma once

#include "netcheck/checklevel.h"

#include <QList>
#include <QVariant>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;
class QTabWidget;

// The options dialog "Options": the version-check level, MIDI clock out, the JACK
// auto-connection and the interface language, the settings the program keeps between runs, a
// check started at once, and the print mode, which is kept for the run only.
// One instance lives for the whole run; OK stores the level, the clock, the auto-connection and
// the language, Cancel restores them, both hide.
class frmOptions : public QWidget, public CheckLevel {
    Q_OBJECT

public:
    explicit frmOptions(QWidget* parent = nullptr);

    QTabWidget* OptionTab = nullptr;
    QList<QRadioButton*> optVersion;             // 0..3, from every revision to no check at all
    QList<QRadioButton*> optDruck;               // 0..2, none selected at first
    QPushButton* cmdVersionspruefung = nullptr;  // "jetzt prüfen"
    QCheckBox* chkMidiClock = nullptr;           // "MIDI-Clock senden"
    QCheckBox* chkJackVerbinden = nullptr;       // "JACK-Ausgänge automatisch verbinden"
    QComboBox* cboSprache = nullptr;             // "Sprache": system, German, English
    QPushButton* Command1 = nullptr;             // "OK"
    QPushButton* Command2 = nullptr;             // "Cancel"

    // Where the level is kept: section and key of the settings store.
    static const QString kSection;
    static const QString kKey;
    static const QString kJackKey;  // "1": connect the JACK ports to the system's playback

    // Selects the stored level (0 when there is none) and the stored auto-connection (off
    // when there is none), which takes effect at once.
    void OptionsSetting();
    // Lets the stored auto-connection take effect without the dialog; returns it.
    static bool applyStoredJackAutoConnect();
    // The index of the selected level button, tested from 0 to 3; 0 when none is selected.
    int selectedLevel() const override;
    // A stored value that is not a whole number from 0 to 3 counts as 0.
    static int levelFromStored(const QVariant& stored);

public slots:
    // Shows the dialog modeless (the toolbar's "TOptions").
    void showOptions();

signals:
    // "jetzt prüfen": a check the user started, judged with the level selected now.
    void versionCheckRequested();
    // OK stored whether playback sends MIDI clock.
    void midiClockChosen(bool on);

private:
    QWidget* buildVersionPage();
    QWidget* buildMidiPage();
    QWidget* buildPrintPage();
    QWidget* buildLanguageFrame();
    void store();
    void restore();
};
