<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>Beatloft</name>
    <message>
        <source>es läuft noch eine Instanz des Programmes</source>
        <translation>another instance of the program is running</translation>
    </message>
</context>
<context>
    <name>ChartPrint</name>
    <message>
        <source>Notenblatt</source>
        <translation>Drum chart</translation>
    </message>
</context>
<context>
    <name>ChartSection</name>
    <message>
        <source>Takt %1/%2 · %3 Schritte je Schlag · %4 BPM</source>
        <translation>Time %1/%2 · %3 steps per beat · %4 BPM</translation>
    </message>
    <message>
        <source>%1. %2 · %3× · Takt %4 · %5 Schritte je Schlag · %6 BPM</source>
        <translation>%1. %2 · %3× · %4 beats · %5 steps per beat · %6 BPM</translation>
    </message>
    <message>
        <source>Zeile %1</source>
        <translation>Row %1</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>  --list-midi      MIDI-Ausgänge und MIDI-Eingänge auflisten
</source>
        <translation>  --list-midi      list MIDI outputs and MIDI inputs
</translation>
    </message>
    <message>
        <source>  --render-wav DATEI AUSGABE.wav [--loops N]
                   das Pattern (.drm) oder den Song (.dsg) N-mal (1) mit dem
                   eingebauten Synthesizer in eine WAV-Datei spielen
                   (44,1 kHz, 16 Bit, Stereo)
</source>
        <translation>  --render-wav FILE OUTPUT.wav [--loops N]
                   play the pattern (.drm) or the song (.dsg) N times (1) with the
                   built-in synthesizer into a WAV file
                   (44.1 kHz, 16 bit, stereo)
</translation>
    </message>
    <message>
        <source>--loops erwartet eine Zahl von 1 bis 10000</source>
        <translation>--loops expects a number from 1 to 10000</translation>
    </message>
    <message>
        <source>  --play DATEI [--seconds N]
                   das Pattern (.drm) ohne Fenster abspielen, N Sekunden oder bis
                   Strg+C; einen Song (.dsg) bis zu seinem Ende oder N Sekunden
</source>
        <translation>  --play FILE [--seconds N]
                   play the pattern (.drm) without a window, N seconds or until
                   Ctrl+C; a song (.dsg) until its end or N seconds
</translation>
    </message>
    <message>
        <source>--seconds erwartet eine Zahl größer als 0 bis 86400 (ein Tag)</source>
        <translation>--seconds expects a number above 0 up to 86400 (one day)</translation>
    </message>
    <message>
        <source>--export-midi erwartet ein Pattern (.drm) oder einen Song (.dsg)</source>
        <translation>--export-midi expects a pattern (.drm) or a song (.dsg)</translation>
    </message>
    <message>
        <source>  --export-midi PATTERN.drm|SONG.dsg AUSGABE.mid
                   das Pattern oder den Song als MIDI-Datei (Format 1) speichern
</source>
        <translation>  --export-midi PATTERN.drm|SONG.dsg OUTPUT.mid
                   save the pattern or the song as a MIDI file (format 1)
</translation>
    </message>
    <message>
        <source>  --import-midi EINGABE.mid PATTERN.drm
                   die Schlagzeugnoten einer MIDI-Datei als Pattern speichern
</source>
        <translation>  --import-midi INPUT.mid PATTERN.drm
                   save the drum notes of a MIDI file as a pattern
</translation>
    </message>
    <message>
        <source>  -V, --version    Version ausgeben
</source>
        <translation>  -V, --version    print the version
</translation>
    </message>
    <message>
        <source>  -h, --help       diese Hilfe ausgeben
</source>
        <translation>  -h, --help       print this help
</translation>
    </message>
    <message>
        <source>Dateiname nicht in der Zeichenkodierung des Systems: %1</source>
        <translation>File name not in the system&apos;s character encoding: %1</translation>
    </message>
    <message>
        <source>Aufruf: beatloft [DATEI]
Schlagzeug-Pattern-Editor und Step-Sequencer.

  DATEI            ein Pattern (.drm) oder ein Song (.dsg), der beim Start geöffnet wird
</source>
        <translation>Usage: beatloft [FILE]
Drum pattern editor and step sequencer.

  FILE             a pattern (.drm) or a song (.dsg) to open at start
</translation>
    </message>
    <message>
        <source>überzähliges Argument: %1</source>
        <translation>unexpected argument: %1</translation>
    </message>
    <message>
        <source>unbekannte Option: %1</source>
        <translation>unknown option: %1</translation>
    </message>
    <message>
        <source>fehlender Wert für %1</source>
        <translation>missing value for %1</translation>
    </message>
    <message>
        <source>mehrfach angegeben: %1</source>
        <translation>given more than once: %1</translation>
    </message>
    <message>
        <source>%1 und %2 schließen sich aus</source>
        <translation>%1 and %2 exclude each other</translation>
    </message>
    <message>
        <source>%1 gilt nur mit %2</source>
        <translation>%1 applies only with %2</translation>
    </message>
</context>
<context>
    <name>DocumentTypes</name>
    <message>
        <source>Dateitypen nicht registriert: der Programmpfad %1 enthält ein Steuer- oder Prozentzeichen</source>
        <translation>File types not registered: the program path %1 contains a control or percent character</translation>
    </message>
</context>
<context>
    <name>DrumChart</name>
    <message>
        <source>keine Noten</source>
        <translation>no notes</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Pattern</source>
        <translation>Pattern</translation>
    </message>
    <message>
        <source>Pattern-Name</source>
        <translation>Pattern name</translation>
    </message>
    <message>
        <source>Takt</source>
        <translation>Beats</translation>
    </message>
    <message>
        <source>Taktnenner</source>
        <translation>Beat unit</translation>
    </message>
    <message>
        <source>SubDivs</source>
        <translation>SubDivs</translation>
    </message>
    <message>
        <source>Ticks</source>
        <translation>Steps</translation>
    </message>
    <message>
        <source>BPM</source>
        <translation>BPM</translation>
    </message>
    <message>
        <source>Schritte</source>
        <translation>Steps</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>Clr</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>StdPattern</source>
        <translation>StdPattern</translation>
    </message>
    <message>
        <source>StdFill</source>
        <translation>StdFill</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>PlayOnClick</source>
        <translation>PlayOnClick</translation>
    </message>
    <message>
        <source>Soll beim anklciken einer Note diese gleich gespielt werden?</source>
        <translation>Play a note at once when its cell is clicked?</translation>
    </message>
    <message>
        <source>Song</source>
        <translation>Song</translation>
    </message>
    <message>
        <source>Ins Pat -&gt;</source>
        <translation>Add -&gt;</translation>
    </message>
    <message>
        <source>&lt;- Edit</source>
        <translation>&lt;- Edit</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Copy Pat</source>
        <translation>Copy Pat</translation>
    </message>
    <message>
        <source>Insert Pat</source>
        <translation>Insert Pat</translation>
    </message>
    <message>
        <source>Remove Pat</source>
        <translation>Remove Pat</translation>
    </message>
    <message>
        <source>ClipBoard</source>
        <translation>Clipboard</translation>
    </message>
    <message>
        <source>Song-Name</source>
        <translation>Song name</translation>
    </message>
</context>
<context>
    <name>FrmPrint</name>
    <message>
        <source>Druckvorschau</source>
        <translation>Print preview</translation>
    </message>
</context>
<context>
    <name>GridNames</name>
    <message>
        <source>Schritt %1</source>
        <translation>Step %1</translation>
    </message>
</context>
<context>
    <name>HeadlessRun</name>
    <message>
        <source>%1 Instrument(e) konnten nicht zugewiesen werden!</source>
        <translation>%1 instrument(s) could not be assigned!</translation>
    </message>
    <message>
        <source>Pattern kann nicht gelesen werden: %1</source>
        <translation>Cannot read the pattern: %1</translation>
    </message>
    <message>
        <source>Die Ausgabe würde die Eingabe überschreiben: %1</source>
        <translation>The output would overwrite the input: %1</translation>
    </message>
    <message>
        <source>Tempo oder SubDivs ergeben keine Schrittlänge</source>
        <translation>Tempo or SubDivs give no step length</translation>
    </message>
    <message>
        <source>Zu viele Noten für eine WAV-Datei (höchstens %1 MIDI-Ereignisse)</source>
        <translation>Too many notes for a WAV file (at most %1 MIDI events)</translation>
    </message>
    <message>
        <source>WAV-Datei nicht geschrieben: %1</source>
        <translation>WAV file not written: %1</translation>
    </message>
    <message>
        <source>nicht lesbar</source>
        <translation>not readable</translation>
    </message>
    <message>
        <source>Midi-Datei kann nicht gelesen werden: %1 (%2)</source>
        <translation>Cannot read the MIDI file: %1 (%2)</translation>
    </message>
    <message>
        <source>Pattern nicht geschrieben: %1 (%2)</source>
        <translation>Pattern not written: %1 (%2)</translation>
    </message>
</context>
<context>
    <name>Inet</name>
    <message>
        <source>Inet</source>
        <translation>Inet</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>Info</name>
    <message>
        <source>Info Beatloft</source>
        <translation>About Beatloft</translation>
    </message>
    <message>
        <source>Beatloft Version %1</source>
        <translation>Beatloft version %1</translation>
    </message>
    <message>
        <source>Web:</source>
        <translation>Web:</translation>
    </message>
    <message>
        <source>EMail:</source>
        <translation>Email:</translation>
    </message>
    <message>
        <source>Beatloft – ein Programm der Beatloft-Entwickler</source>
        <translation>Beatloft – a program by the Beatloft developers</translation>
    </message>
    <message>
        <source>zur Downloadseite</source>
        <translation>Download page</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Programm zum Erstellen von Drum-Patterns</source>
        <translation>Program for creating drum patterns</translation>
    </message>
</context>
<context>
    <name>InstrumentRows</name>
    <message>
        <source>Zu viele Elemente!</source>
        <translation>Too many instruments!</translation>
    </message>
</context>
<context>
    <name>MainCommands</name>
    <message>
        <source>%1 ist nicht definiert</source>
        <translation>%1 is not defined</translation>
    </message>
    <message>
        <source>Wirklich beenden?</source>
        <translation>Really quit?</translation>
    </message>
</context>
<context>
    <name>MainMenuBar</name>
    <message>
        <source>Datei</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Pattern öffnen (laden)</source>
        <translation>Open pattern (load)</translation>
    </message>
    <message>
        <source>Lade Song</source>
        <translation>Load song</translation>
    </message>
    <message>
        <source>Mische Spuren ein</source>
        <translation>Mix in tracks</translation>
    </message>
    <message>
        <source>Speichern unter...</source>
        <translation>Save as...</translation>
    </message>
    <message>
        <source>Speichere Song</source>
        <translation>Save song</translation>
    </message>
    <message>
        <source>Exportiere Pattern als Midi</source>
        <translation>Export pattern as MIDI</translation>
    </message>
    <message>
        <source>Exportiere Song als Midi</source>
        <translation>Export song as MIDI</translation>
    </message>
    <message>
        <source>Ende</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Bearbeiten</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>Rückgängig</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Wiederholen</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Midi-Datei importieren…</source>
        <translation>Import MIDI file…</translation>
    </message>
    <message>
        <source>Pattern als WAV exportieren…</source>
        <translation>Export pattern as WAV…</translation>
    </message>
    <message>
        <source>Song als WAV exportieren…</source>
        <translation>Export song as WAV…</translation>
    </message>
    <message>
        <source>Pattern als Notenblatt drucken…</source>
        <translation>Print pattern as drum chart…</translation>
    </message>
    <message>
        <source>Song als Notenblatt drucken…</source>
        <translation>Print song as drum chart…</translation>
    </message>
    <message>
        <source>Zuletzt geöffnet</source>
        <translation>Recent files</translation>
    </message>
</context>
<context>
    <name>MainToolBar</name>
    <message>
        <source>Neues Pattern</source>
        <translation>New pattern</translation>
    </message>
    <message>
        <source>Pattern öffnen</source>
        <translation>Open pattern</translation>
    </message>
    <message>
        <source>Song Laden</source>
        <translation>Load song</translation>
    </message>
    <message>
        <source>Pattern Speichern</source>
        <translation>Save pattern</translation>
    </message>
    <message>
        <source>Song speichern</source>
        <translation>Save song</translation>
    </message>
    <message>
        <source>Exportiere Pattern nach Midi</source>
        <translation>Export pattern to MIDI</translation>
    </message>
    <message>
        <source>Exportiere Song nach Midi</source>
        <translation>Export song to MIDI</translation>
    </message>
    <message>
        <source>Drucken</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Ausschneiden</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Einfügen</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Kopieren</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Version prüfen</source>
        <translation>Check version</translation>
    </message>
    <message>
        <source>Optionen</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>File Datum aus EXIF-Tags setzen</source>
        <translation>Set file date from EXIF tags</translation>
    </message>
    <message>
        <source>Die nächsten 4 Bilder</source>
        <translation>The next 4 pictures</translation>
    </message>
    <message>
        <source>Rückseite drucken (Datum etc.)</source>
        <translation>Print back side (date etc.)</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Hilfe zum Programm</source>
        <translation>Program help</translation>
    </message>
</context>
<context>
    <name>MidiExport</name>
    <message>
        <source>Pattern als Midi (Format1) speichern</source>
        <translation>Save pattern as MIDI (format 1)</translation>
    </message>
    <message>
        <source>Midi (.mid)|*.mid|Alle Dateien|*.*</source>
        <translation>MIDI (.mid)|*.mid|All files|*.*</translation>
    </message>
    <message>
        <source>Tempo und SubDivs ergeben keine gültige MIDI-Datei.</source>
        <translation>Tempo and SubDivs give no valid MIDI file.</translation>
    </message>
    <message>
        <source>Die Noten der MIDI-Datei ergäben mehr als %1 MiB; eine so große Datei wird nicht geschrieben.</source>
        <translation>The notes of the MIDI file would take more than %1 MiB; a file that large is not written.</translation>
    </message>
    <message>
        <source>Die MIDI-Datei konnte nicht gespeichert werden:
%1</source>
        <translation>The MIDI file could not be saved:
%1</translation>
    </message>
</context>
<context>
    <name>MidiImport</name>
    <message>
        <source>Nicht zugeordnete Noten: %1</source>
        <translation>Unassigned notes: %1</translation>
    </message>
    <message>
        <source>Die Datei ist länger als %1 Schritte; nur die ersten %1 wurden übernommen.</source>
        <translation>The file is longer than %1 steps; only the first %1 were taken.</translation>
    </message>
</context>
<context>
    <name>MidiImportCommand</name>
    <message>
        <source>Midi (.mid)|*.mid;*.midi|Alle Dateien|*.*</source>
        <translation>MIDI (.mid)|*.mid;*.midi|All Files|*.*</translation>
    </message>
    <message>
        <source>Midi-Datei importieren</source>
        <translation>Import MIDI file</translation>
    </message>
    <message>
        <source>nicht lesbar</source>
        <translation>not readable</translation>
    </message>
    <message>
        <source>Midi-Datei kann nicht gelesen werden: %1</source>
        <translation>Cannot read the MIDI file: %1</translation>
    </message>
</context>
<context>
    <name>PatternCommands</name>
    <message>
        <source>StdPattern</source>
        <translation>StdPattern</translation>
    </message>
    <message>
        <source>StdFill</source>
        <translation>StdFill</translation>
    </message>
    <message>
        <source>Clr</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Pattern nach links</source>
        <translation>Pattern to the left</translation>
    </message>
    <message>
        <source>Pattern nach rechts</source>
        <translation>Pattern to the right</translation>
    </message>
    <message>
        <source>Pattern öffnen</source>
        <translation>Open pattern</translation>
    </message>
</context>
<context>
    <name>PatternFile</name>
    <message>
        <source>Pattern (.drm)|*.drm|Alle Dateien|*.*</source>
        <translation>Pattern (.drm)|*.drm|All files|*.*</translation>
    </message>
    <message>
        <source>Geben Sie bitte einen Namen für das Pattern ein!</source>
        <translation>Please enter a name for the pattern!</translation>
    </message>
    <message>
        <source>Pattern Name</source>
        <translation>Pattern name</translation>
    </message>
    <message>
        <source>Pattern speichern</source>
        <translation>Save pattern</translation>
    </message>
    <message>
        <source>Das Pattern konnte nicht gespeichert werden:
%1</source>
        <translation>The pattern could not be saved:
%1</translation>
    </message>
    <message>
        <source>Mische Spuren ein</source>
        <translation>Mix in tracks</translation>
    </message>
    <message>
        <source>Pattern öffnen</source>
        <translation>Open pattern</translation>
    </message>
    <message>
        <source>Pattern laden</source>
        <translation>Load pattern</translation>
    </message>
    <message>
        <source>Spuren ersetzen?</source>
        <translation>Replace tracks?</translation>
    </message>
    <message>
        <source>%1 Instrument(e) konnten nicht zugewiesen werden!</source>
        <translation>%1 instrument(s) could not be assigned!</translation>
    </message>
</context>
<context>
    <name>PatternPlayback</name>
    <message>
        <source>Play (Strg+Leertaste)</source>
        <translation>Play (Ctrl+Space)</translation>
    </message>
</context>
<context>
    <name>QuitGuard</name>
    <message>
        <source>Änderungen speichern?</source>
        <translation>Save changes?</translation>
    </message>
    <message>
        <source>Pattern „%1“</source>
        <translation>Pattern “%1”</translation>
    </message>
    <message>
        <source>Song „%1“</source>
        <translation>Song “%1”</translation>
    </message>
</context>
<context>
    <name>RecentFiles</name>
    <message>
        <source>Die Datei gibt es nicht mehr und wird aus der Liste genommen:
%1</source>
        <translation>The file no longer exists and is removed from the list:
%1</translation>
    </message>
</context>
<context>
    <name>RowMixMenu</name>
    <message>
        <source>Stumm</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>Solo</source>
        <translation>Solo</translation>
    </message>
</context>
<context>
    <name>SafeFileWriter</name>
    <message>
        <source>%1 ist keine gewöhnliche Datei</source>
        <translation>%1 is not a regular file</translation>
    </message>
</context>
<context>
    <name>SmfReader</name>
    <message>
        <source>Datei zu groß</source>
        <translation>file too large</translation>
    </message>
    <message>
        <source>keine MIDI-Datei</source>
        <translation>not a MIDI file</translation>
    </message>
    <message>
        <source>MIDI-Format %1 wird nicht unterstützt</source>
        <translation>MIDI format %1 is not supported</translation>
    </message>
    <message>
        <source>SMPTE-Zeitbasis wird nicht unterstützt</source>
        <translation>SMPTE time base is not supported</translation>
    </message>
    <message>
        <source>Zeitbasis 0</source>
        <translation>time base 0</translation>
    </message>
    <message>
        <source>Kopf kürzer als angegeben</source>
        <translation>header shorter than stated</translation>
    </message>
    <message>
        <source>Spur fehlt</source>
        <translation>track missing</translation>
    </message>
    <message>
        <source>Spur kürzer als angegeben</source>
        <translation>track shorter than stated</translation>
    </message>
    <message>
        <source>Ereignis fehlt</source>
        <translation>event missing</translation>
    </message>
    <message>
        <source>Daten ohne Statusbyte</source>
        <translation>data without a status byte</translation>
    </message>
    <message>
        <source>Systemexklusive Daten kürzer als angegeben</source>
        <translation>system exclusive data shorter than stated</translation>
    </message>
    <message>
        <source>unerlaubtes Statusbyte %1</source>
        <translation>invalid status byte %1</translation>
    </message>
    <message>
        <source>Ereignis kürzer als angegeben</source>
        <translation>event shorter than stated</translation>
    </message>
    <message>
        <source>Datenbyte über 127</source>
        <translation>data byte above 127</translation>
    </message>
    <message>
        <source>zu viele Noten (höchstens %1)</source>
        <translation>too many notes (at most %1)</translation>
    </message>
    <message>
        <source>Meta-Ereignis fehlt</source>
        <translation>meta event missing</translation>
    </message>
    <message>
        <source>Meta-Ereignis kürzer als angegeben</source>
        <translation>meta event shorter than stated</translation>
    </message>
    <message>
        <source>Zeitangabe fehlt</source>
        <translation>time missing</translation>
    </message>
    <message>
        <source>Längenangabe über vier Bytes</source>
        <translation>length of more than four bytes</translation>
    </message>
</context>
<context>
    <name>SongFile</name>
    <message>
        <source>Drum-Song (.dsg)|*.dsg|Alle Dateien|*.*</source>
        <translation>Drum song (.dsg)|*.dsg|All files|*.*</translation>
    </message>
    <message>
        <source>Song speichern</source>
        <translation>Save song</translation>
    </message>
    <message>
        <source>Der Song konnte nicht gespeichert werden:
%1</source>
        <translation>The song could not be saved:
%1</translation>
    </message>
    <message>
        <source>Lade Song</source>
        <translation>Load song</translation>
    </message>
    <message>
        <source>Song laden</source>
        <translation>Load song</translation>
    </message>
</context>
<context>
    <name>SongList</name>
    <message>
        <source>Pattern-Name</source>
        <translation>Pattern name</translation>
    </message>
    <message>
        <source>loops</source>
        <translation>loops</translation>
    </message>
    <message>
        <source>BPM</source>
        <translation>BPM</translation>
    </message>
    <message>
        <source>Nur die ersten 30 Schritte und 30 Instrumente werden in den Song übernommen.</source>
        <translation>Only the first 30 steps and 30 instruments are taken into the song.</translation>
    </message>
    <message>
        <source>Der Song kann höchstens 30 Pattern enthalten.</source>
        <translation>A song holds at most 30 patterns.</translation>
    </message>
    <message>
        <source>Ins Pat</source>
        <translation>Add Pat</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Edit übernehmen</source>
        <translation>Apply edit</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Insert</translation>
    </message>
</context>
<context>
    <name>SongLoadError</name>
    <message>
        <source>Datei nicht gefunden</source>
        <translation>File not found</translation>
    </message>
    <message>
        <source>Einlesen hinter Dateiende</source>
        <translation>Input past end of file</translation>
    </message>
    <message>
        <source>Index außerhalb des gültigen Bereichs</source>
        <translation>Subscript out of range</translation>
    </message>
    <message>
        <source>Fehler beim Zugriff auf Pfad/Datei</source>
        <translation>Path/File access error</translation>
    </message>
    <message>
        <source>Typen unverträglich</source>
        <translation>Type mismatch</translation>
    </message>
</context>
<context>
    <name>UndoHistory</name>
    <message>
        <source>Takt</source>
        <translation>Beats</translation>
    </message>
    <message>
        <source>Taktnenner</source>
        <translation>Beat unit</translation>
    </message>
    <message>
        <source>SubDivs</source>
        <translation>SubDivs</translation>
    </message>
    <message>
        <source>Ticks</source>
        <translation>Steps</translation>
    </message>
    <message>
        <source>BPM</source>
        <translation>BPM</translation>
    </message>
    <message>
        <source>Pattern-Name</source>
        <translation>Pattern name</translation>
    </message>
    <message>
        <source>Rückgängig</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Wiederholen</source>
        <translation>Redo</translation>
    </message>
</context>
<context>
    <name>VersionParser</name>
    <message>
        <source>Neuere Version %1 verfügbar!</source>
        <translation>Newer version %1 available!</translation>
    </message>
    <message>
        <source>Die vorliegende Version ist:</source>
        <translation>The version at hand is:</translation>
    </message>
    <message>
        <source>keine neue Version verfügbar</source>
        <translation>no new version available</translation>
    </message>
</context>
<context>
    <name>WavExport</name>
    <message>
        <source>Pattern als WAV exportieren</source>
        <translation>Export pattern as WAV</translation>
    </message>
    <message>
        <source>Song als WAV exportieren</source>
        <translation>Export song as WAV</translation>
    </message>
    <message>
        <source>WAV (.wav)|*.wav|Alle Dateien|*.*</source>
        <translation>WAV (.wav)|*.wav|All files|*.*</translation>
    </message>
    <message>
        <source>Tempo oder SubDivs ergeben keine Schrittlänge.</source>
        <translation>Tempo or SubDivs give no step length.</translation>
    </message>
    <message>
        <source>Zu viele Noten für eine WAV-Datei.</source>
        <translation>Too many notes for a WAV file.</translation>
    </message>
    <message>
        <source>Die WAV-Datei konnte nicht geschrieben werden:
%1
%2</source>
        <translation>The WAV file could not be written:
%1
%2</translation>
    </message>
    <message>
        <source>WAV-Datei wird geschrieben …</source>
        <translation>Writing the WAV file …</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>WindowsCodePage</name>
    <message>
        <source>Nicht jedes Zeichen der Namen passt in die Datei (Zeichensatz Windows-1252); solche Zeichen wurden als „?“ gespeichert.</source>
        <translation>Not every character of the names fits into the file (character set Windows-1252); such characters were saved as &quot;?&quot;.</translation>
    </message>
</context>
<context>
    <name>frmOptions</name>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Versionsprüfung</source>
        <translation>Version check</translation>
    </message>
    <message>
        <source>Midioptionen</source>
        <translation>MIDI options</translation>
    </message>
    <message>
        <source>Abspieloptionen</source>
        <translation>Playback options</translation>
    </message>
    <message>
        <source>Druckoptionen</source>
        <translation>Print options</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Information bei jeder neuen Revision (1.1.X)</source>
        <translation>Tell me of every new revision (1.1.X)</translation>
    </message>
    <message>
        <source>Information bei jeder neuer Version (1.X.1)</source>
        <translation>Tell me of every new version (1.X.1)</translation>
    </message>
    <message>
        <source>Information bei größeren Überarbeitungen (X.1.1)</source>
        <translation>Tell me of major revisions (X.1.1)</translation>
    </message>
    <message>
        <source>keine Versionsprüfung</source>
        <translation>no version check</translation>
    </message>
    <message>
        <source>jetzt prüfen</source>
        <translation>check now</translation>
    </message>
    <message>
        <source>Diese Optionen werden nicht abgespeichert und gehen beim Beenden des Programms verloren. Die Einstellung wird bei Cancel nicht rückgängig gemacht!</source>
        <translation>These options are not saved and are lost when the program ends. Cancel does not undo the setting!</translation>
    </message>
    <message>
        <source>ohne Vorschau drucken</source>
        <translation>print without preview</translation>
    </message>
    <message>
        <source>Nur Vorschau</source>
        <translation>preview only</translation>
    </message>
    <message>
        <source>Bei Druck zunächst Vorschau, zum Drucken nachfragen</source>
        <translation>preview first, then ask before printing</translation>
    </message>
    <message>
        <source>Sprache</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Systemsprache</source>
        <translation>System language</translation>
    </message>
    <message>
        <source>Deutsch</source>
        <translation>Deutsch</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>gilt ab dem nächsten Start</source>
        <translation>takes effect at the next start</translation>
    </message>
    <message>
        <source>MIDI-Clock senden</source>
        <translation>Send MIDI clock</translation>
    </message>
    <message>
        <source>JACK-Ausgänge automatisch verbinden</source>
        <translation>Connect JACK outputs automatically</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>keine Anzeige gefunden</source>
        <translation>no display found</translation>
    </message>
</context>
<context>
    <name>midilisting</name>
    <message>
        <source>MIDI-Ausgänge</source>
        <translation>MIDI outputs</translation>
    </message>
    <message>
        <source>MIDI-Eingänge</source>
        <translation>MIDI inputs</translation>
    </message>
</context>
<context>
    <name>sys::QtDialogs</name>
    <message>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Verwerfen</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
</TS>
