#pragma once

#include <QObject>
#include <QStringList>

class PatternCommands;
class PatternFile;
class QMenu;
class SongFile;

// "Zuletzt geöffnet": the patterns and songs last opened or saved, newest first, kept in
// the settings store across runs. Choosing one opens it as "Pattern öffnen" or "Lade Song"
// would; one that is gone is taken off the list with a message.
class RecentFiles : public QObject {
    Q_OBJECT

public:
    static constexpr int kCount = 8;

    RecentFiles(QMenu& menu, PatternCommands& commands, PatternFile& patternFile,
                SongFile& songFile);

    QStringList files() const;
    void add(const QString& path);
    // Opens a listed file, or takes it off the list when it no longer exists.
    void open(const QString& path);

    // The list with path put first: once only, and no more than kCount entries.
    static QStringList withFile(QStringList files, const QString& path);

private:
    void store(const QStringList& files);
    void fillMenu();

    QMenu& menu_;
    PatternCommands& commands_;
    SongFile& songFile_;
};
