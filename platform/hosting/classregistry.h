#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <memory>

class QLockFile;

namespace hosting {

// The per-user class registry file: INI sections of key=value lines, read and written whole
// while a lock file keeps other processes out. Sections and keys are written in sorted
// order, so the same contents always give the same bytes.
class ClassRegistry {
public:
    explicit ClassRegistry(QString path);
    ~ClassRegistry();
    ClassRegistry(const ClassRegistry&) = delete;
    ClassRegistry& operator=(const ClassRegistry&) = delete;

    // Locks and reads the file; a missing file is an empty registry.
    bool open();
    // Writes the file atomically when its contents differ from what was read or last saved.
    bool save();

    QString value(const QString& section, const QString& key) const;
    void setValue(const QString& section, const QString& key, const QString& value);
    // Removes the section and every section below it ("section\...").
    void removeTree(const QString& section);
    QStringList sections() const;

private:
    bool read();
    QByteArray text() const;

    QString path_;
    std::unique_ptr<QLockFile> lock_;
    std::map<QString, std::map<QString, QString>> sections_;
    QByteArray saved_;
};

}  // namespace hosting
