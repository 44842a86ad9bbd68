#pragma once

#include <QString>
#include <QTemporaryDir>

// A temporary program folder holding copies of the shipped data files, made the program
// folder for as long as the object lives.
class TempProgramFolder {
public:
    TempProgramFolder();
    ~TempProgramFolder();

    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }
    // Replaces (or creates) a file of the folder, e.g. a test's own instrument list.
    void writeFile(const QString& name, const QByteArray& contents) const;
    void removeFile(const QString& name) const;

private:
    QTemporaryDir dir_;
};
