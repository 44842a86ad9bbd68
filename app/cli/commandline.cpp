#include "commandline.h"

#include <cmath>
#include <optional>

namespace {

using Command = CommandLine::Command;

struct Option {
    const char* name;
    const char* alias;               // a short form, or none
    std::optional<Command> command;  // the command it selects; none for a setting
    const char* owner;               // a setting: the command option it belongs to
    int values;                      // how many values follow it
    bool (*isValid)(const QString& value);
    const char* invalid;  // the error when isValid refuses a value
    const char* help;     // its lines of the usage text
};

bool isLoopCount(const QString& value) {
    bool ok = false;
    const int loops = value.toInt(&ok);
    return ok && loops >= 1 && loops <= 10000;
}

bool isPlayingTime(const QString& value) {
    bool ok = false;
    const double seconds = value.toDouble(&ok);
    return ok && std::isfinite(seconds) && seconds > 0 && seconds <= 24 * 60 * 60;
}

// A pattern or a song, told apart by the file's ending.
bool isExportSource(const QString& value) {
    return value.endsWith(QLatin1String(".drm")) || value.endsWith(QLatin1String(".dsg"));
}

const Option kOptions[] = {
    {"--list-midi", nullptr, Command::ListMidi, nullptr, 0, nullptr, nullptr,
     QT_TRANSLATE_NOOP("CommandLine",
                       "  --list-midi      MIDI-Ausgänge und MIDI-Eingänge auflisten\n")},
    {"--render-wav", nullptr, Command::RenderWav, nullptr, 2, nullptr, nullptr,
     QT_TRANSLATE_NOOP(
         "CommandLine",
         "  --render-wav DATEI AUSGABE.wav [--loops N]\n"
         "                   das Pattern (.drm) oder den Song (.dsg) N-mal (1) mit dem\n"
         "                   eingebauten Synthesizer in eine WAV-Datei spielen\n"
         "                   (44,1 kHz, 16 Bit, Stereo)\n")},
    {"--loops", nullptr, std::nullopt, "--render-wav", 1, isLoopCount,
     QT_TRANSLATE_NOOP("CommandLine", "--loops erwartet eine Zahl von 1 bis 10000"), ""},
    {"--play", nullptr, Command::Play, nullptr, 1, nullptr, nullptr,
     QT_TRANSLATE_NOOP(
         "CommandLine",
         "  --play DATEI [--seconds N]\n"
         "                   das Pattern (.drm) ohne Fenster abspielen, N Sekunden oder bis\n"
         "                   Strg+C; einen Song (.dsg) bis zu seinem Ende oder N Sekunden\n")},
    {"--seconds", nullptr, std::nullopt, "--play", 1, isPlayingTime,
     QT_TRANSLATE_NOOP("CommandLine",
                       "--seconds erwartet eine Zahl größer als 0 bis 86400 (ein Tag)"),
     ""},
    {"--export-midi", nullptr, Command::ExportMidi, nullptr, 2, isExportSource,
     QT_TRANSLATE_NOOP("CommandLine",
                       "--export-midi erwartet ein Pattern (.drm) oder einen Song (.dsg)"),
     QT_TRANSLATE_NOOP(
         "CommandLine",
         "  --export-midi PATTERN.drm|SONG.dsg AUSGABE.mid\n"
         "                   das Pattern oder den Song als MIDI-Datei (Format 1) speichern\n")},
    {"--import-midi", nullptr, Command::ImportMidi, nullptr, 2, nullptr, nullptr,
     QT_TRANSLATE_NOOP(
         "CommandLine",
         "  --import-midi EINGABE.mid PATTERN.drm\n"
         "                   die Schlagzeugnoten einer MIDI-Datei als Pattern speichern\n")},
    {"--version", "-V", Command::Version, nullptr, 0, nullptr, nullptr,
     QT_TRANSLATE_NOOP("CommandLine", "  -V, --version    Version ausgeben\n")},
    {"--help", "-h", Command::Help, nullptr, 0, nullptr, nullptr,
     QT_TRANSLATE_NOOP("CommandLine", "  -h, --help       diese Hilfe ausgeben\n")},
};

const Option* optionNamed(const QString& text) {
    for (const Option& option : kOptions)
        if (text == QLatin1String(option.name) ||
            (option.alias && text == QLatin1String(option.alias)))
            return &option;
    return nullptr;
}

// "-x" and "--x" are options; "-" and negative numbers ("-5") are values.
bool looksLikeOption(const QString& text) {
    return text.size() > 1 && text[0] == QLatin1Char('-') && !text[1].isDigit() &&
           text[1] != QLatin1Char('.');
}

}  // namespace

CommandLine CommandLine::parse(const QStringList& arguments) {
    CommandLine line;
    for (qsizetype at = 0; at < arguments.size();)
        if (!line.take(arguments, &at)) return line;
    line.checkSettings();
    return line;
}

CommandLine CommandLine::parse(const QList<QByteArray>& arguments) {
    QStringList decoded;
    for (const QByteArray& argument : arguments) {
        decoded << QString::fromLocal8Bit(argument);
        if (decoded.last().toLocal8Bit() != argument) {
            CommandLine line;
            line.fail(
                tr("Dateiname nicht in der Zeichenkodierung des Systems: %1").arg(decoded.last()));
            return line;
        }
    }
    return parse(decoded);
}

QString CommandLine::usage() {
    QString text =
        tr("Aufruf: beatloft [DATEI]\n"
           "Schlagzeug-Pattern-Editor und Step-Sequencer.\n"
           "\n"
           "  DATEI            ein Pattern (.drm) oder ein Song (.dsg), der beim Start geöffnet "
           "wird\n");
    for (const Option& option : kOptions) text += tr(option.help);
    return text;
}

bool CommandLine::isHeadless() const {
    return command_ == Command::RenderWav || command_ == Command::Play ||
           command_ == Command::ExportMidi || command_ == Command::ImportMidi;
}

QString CommandLine::value(const QString& option, const QString& fallback) const {
    return settings_.value(option, fallback);
}

// Takes the argument at *at with the values of its option and moves past them.
bool CommandLine::take(const QStringList& arguments, qsizetype* at) {
    const QString argument = arguments[(*at)++];
    if (argument == QLatin1String("--") && !operandsOnly_) {
        operandsOnly_ = true;  // what follows are files, even those starting with "-"
        return true;
    }
    if (operandsOnly_ || !looksLikeOption(argument)) {
        if (command_ != Command::Editor) return fail(tr("überzähliges Argument: %1").arg(argument));
        operands_ << argument;
        return true;
    }
    const Option* option = optionNamed(argument);
    if (!option) return fail(tr("unbekannte Option: %1").arg(argument));
    const QString name = QLatin1String(option->name);
    QStringList values;
    while (values.size() < option->values && *at < arguments.size()) {
        if (arguments[*at] == QLatin1String("--") && !operandsOnly_) {
            operandsOnly_ = true;
            ++*at;
            continue;
        }
        if (!operandsOnly_ && looksLikeOption(arguments[*at])) break;
        values << arguments[(*at)++];
    }
    if (values.size() < option->values) return fail(tr("fehlender Wert für %1").arg(name));
    if (option->isValid && !option->isValid(values.value(0))) return fail(tr(option->invalid));
    if (!option->command) {
        if (settings_.contains(name)) return fail(tr("mehrfach angegeben: %1").arg(name));
        settings_.insert(name, values.value(0));
        return true;
    }
    if (!commandOption_.isEmpty())
        return fail(tr("%1 und %2 schließen sich aus").arg(commandOption_, name));
    if (!operands_.isEmpty()) return fail(tr("überzähliges Argument: %1").arg(operands_.first()));
    command_ = *option->command;
    commandOption_ = name;
    operands_ = values;
    return true;
}

// A setting counts only with the command it belongs to.
void CommandLine::checkSettings() {
    for (const Option& option : kOptions) {
        const QString name = QLatin1String(option.name);
        if (option.owner && settings_.contains(name) &&
            commandOption_ != QLatin1String(option.owner)) {
            fail(tr("%1 gilt nur mit %2").arg(name, QLatin1String(option.owner)));
            return;
        }
    }
}

bool CommandLine::fail(const QString& reason) {
    error_ = reason;
    command_ = Command::Help;
    operands_.clear();
    settings_.clear();
    return false;
}
