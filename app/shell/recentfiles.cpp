#include "recentfiles.h"

#include "pattern/patterncommands.h"
#include "pattern/patternfile.h"
#include "song/songfile.h"
#include "system/dialogs.h"
#include "system/settingsstore.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace {
const QString kSection = QStringLiteral("RecentFiles");
const QString kKey = QStringLiteral("Files");
}  // namespace

RecentFiles::RecentFiles(QMenu& menu, PatternCommands& commands, PatternFile& patternFile,
                         SongFile& songFile)
    : menu_(menu), commands_(commands), songFile_(songFile) {
    menu.setToolTipsVisible(true);
    for (auto signal : {&PatternFile::opened, &PatternFile::saved})
        connect(&patternFile, signal, this, &RecentFiles::add);
    for (auto signal : {&SongFile::opened, &SongFile::saved})
        connect(&songFile, signal, this, &RecentFiles::add);
    fillMenu();
}

QStringList RecentFiles::withFile(QStringList files, const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    files.removeAll(absolute);
    files.prepend(absolute);
    return files.mid(0, kCount);
}

QStringList RecentFiles::files() const {
    return sys::SettingsStore::value(kSection, kKey).toStringList().mid(0, kCount);
}

void RecentFiles::add(const QString& path) {
    store(withFile(files(), path));
}

void RecentFiles::store(const QStringList& files) {
    sys::SettingsStore::setValue(kSection, kKey, files);
    fillMenu();
}

// The entries are put anew; the old ones go later, one of them may be the one just chosen.
void RecentFiles::fillMenu() {
    for (QAction* old : menu_.actions()) {
        menu_.removeAction(old);
        old->deleteLater();
    }
    const QStringList list = files();
    for (int i = 0; i < list.size(); ++i) {
        const QString& path = list[i];
        QAction* item =
            menu_.addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()),
                            this, [this, path] { open(path); });
        item->setToolTip(QDir::toNativeSeparators(path));
    }
    menu_.setEnabled(!list.isEmpty());
}

void RecentFiles::open(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        QStringList list = files();
        list.removeAll(path);
        store(list);
        sys::Dialogs::current().message(
            tr("Die Datei gibt es nicht mehr und wird aus der Liste genommen:\n%1")
                .arg(QDir::toNativeSeparators(path)),
            sys::MessageButtons::Ok, sys::MessageIcon::Exclamation);
        return;
    }
    if (path.endsWith(QStringLiteral(".dsg"), Qt::CaseInsensitive))
        songFile_.openDocument(path);
    else
        commands_.openPattern(path);
}
