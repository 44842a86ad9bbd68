#pragma once

#include <QCoreApplication>
#include <QMap>
#include <QString>
#include <QStringList>

// The program's command line: which command runs and with which values. Every option is
// one row of a table that gives its values, the command it belongs to, the check of its
// value and its lines of the usage text, so a new option is one more row.
class CommandLine {
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    enum class Command { Editor, Help, Version, ListMidi, RenderWav, Play, ExportMidi, ImportMidi };

    // arguments without the program's own name. A line that is not understood gives
    // the Help command with an error() to show before the usage.
    static CommandLine parse(const QStringList& arguments);
    // The same from the bytes the system passed. File names are bytes on this system; one
    // that is not valid in its encoding (UTF-8) cannot be opened by name after decoding,
    // so the line is refused naming it rather than reading it as a missing file.
    static CommandLine parse(const QList<QByteArray>& arguments);
    static QString usage();

    bool isValid() const { return error_.isEmpty(); }
    // The reason the line was refused, e.g. "unbekannte Option: --bogus".
    QString error() const { return error_; }
    Command command() const { return command_; }
    // Commands that run without a window and without a display.
    bool isHeadless() const;
    // The values of the command's option (--render-wav IN OUT gives IN and OUT); the
    // editor's document arguments otherwise.
    QStringList operands() const { return operands_; }
    // The checked value of a setting such as "--loops", or fallback when it is not given.
    QString value(const QString& option, const QString& fallback = QString()) const;

private:
    bool take(const QStringList& arguments, qsizetype* at);
    bool fail(const QString& reason);
    void checkSettings();

    Command command_ = Command::Editor;
    QString commandOption_;
    QStringList operands_;
    QMap<QString, QString> settings_;
    QString error_;
    bool operandsOnly_ = false;  // after "--"
};
