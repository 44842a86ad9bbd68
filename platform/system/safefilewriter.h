#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

namespace sys {

// Writes a file so that the old one survives any failure: the bytes go to a temporary
// file beside the target, which replaces the target only when every write succeeded.
// A target that exists and is not a regular file (a directory, a FIFO, a device node) is
// refused, so nothing is ever renamed over it. A writer destroyed without a successful
// commit() leaves the target as it was.
class SafeFileWriter {
public:
    explicit SafeFileWriter(const QString& path);

    // All of bytes to path at once; false with the reason in *error.
    static bool writeFile(const QString& path, const QByteArray& bytes, QString* error = nullptr);

    bool open();
    // Appends; false once any write has failed (later writes do nothing).
    bool write(const char* data, qint64 size);
    bool write(const QByteArray& bytes) { return write(bytes.constData(), bytes.size()); }
    // Replaces the target with what was written; false, target untouched, after a failure.
    bool commit();
    // Gives up: the target stays as it was; reason becomes the error text.
    void cancel(const QString& reason);

    QString errorString() const { return error_; }

private:
    bool writeThrough(const char* data, qint64 size);
    bool fail(const QString& reason);

    QSaveFile file_;
    QByteArray buffer_;
    QString error_;
    bool failed_ = false;
};

}  // namespace sys
