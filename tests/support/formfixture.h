#pragma once

#include "scripteddialogs.h"
#include "settingssandbox.h"
#include "tempprogramfolder.h"

#include <QList>
#include <functional>
#include <memory>

class Beatloft;
class Form1;
class StepTimer;
class Transport;
struct Instrument;
struct Song;

// Everything a test of the main window needs: a sandboxed settings store and program
// folder, scripted dialogs, one virtual output device, and the started program.
class FormFixture {
public:
    // startNow false: the test prepares files or devices first and then calls start().
    explicit FormFixture(const QString& commandLine = {}, bool startNow = true);
    ~FormFixture();

    Form1& start(const QString& commandLine = {});
    // Ends the program and starts it again on the same settings and folders.
    Form1& restart(const QString& commandLine = {});
    Form1& form();
    Beatloft& app() { return *app_; }
    unsigned device() const { return device_; }
    ScriptedDialogs& dialogs() { return *dialogs_; }
    TempProgramFolder& folder() { return *folder_; }
    SettingsSandbox& sandbox() { return *sandbox_; }

    // Packed short messages the output device received since the last clearSent().
    QList<quint32> sent() const;
    void clearSent() const;

    Transport& transport();
    StepTimer& timer();
    const Song& song();
    // Changes the song in the list as loading one would.
    void editSong(const std::function<void(Song&)>& edit);

    // An instrument row's name or note tag, changed as the instrument list would.
    void setInstrumentName(int row, const QString& name);
    void setInstrumentTag(int row, const QString& tag);

    // Levels of one row in steps 1..n, and setting them.
    QList<int> row(int r) const;
    void setRow(int r, const QList<int>& levels);

private:
    void setInstrument(int row, const std::function<void(Instrument&)>& change);

    std::unique_ptr<SettingsSandbox> sandbox_;
    std::unique_ptr<TempProgramFolder> folder_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    unsigned device_ = 0;
    std::unique_ptr<Beatloft> app_;
};
