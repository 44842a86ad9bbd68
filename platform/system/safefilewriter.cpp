#include "safefilewriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace sys {

namespace {
// Small writes are gathered into blocks of this size before they reach the file.
constexpr qsizetype kBlockBytes = 64 * 1024;
}  // namespace

SafeFileWriter::SafeFileWriter(const QString& path) : file_(path) {}

bool SafeFileWriter::writeFile(const QString& path, const QByteArray& bytes, QString* error) {
    SafeFileWriter writer(path);
    const bool written = writer.open() && writer.write(bytes) && writer.commit();
    if (!written && error) *error = writer.errorString();
    return written;
}

bool SafeFileWriter::open() {
    const QFileInfo target(file_.fileName());
    if (target.exists() && !target.isFile())
        return fail(QCoreApplication::translate("SafeFileWriter", "%1 ist keine gewöhnliche Datei")
                        .arg(QDir::toNativeSeparators(target.filePath())));
    // Unbuffered, so that every write reports how much really reached the file.
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return fail(file_.errorString());
    buffer_.reserve(kBlockBytes);
    return true;
}

bool SafeFileWriter::write(const char* data, qint64 size) {
    if (failed_ || !file_.isOpen()) return false;
    if (buffer_.size() + size > kBlockBytes) {
        if (!writeThrough(buffer_.constData(), buffer_.size())) return false;
        buffer_.clear();
    }
    if (size >= kBlockBytes) return writeThrough(data, size);
    buffer_.append(data, size);
    return true;
}

bool SafeFileWriter::writeThrough(const char* data, qint64 size) {
    // A write may take only part of the bytes (a full disk, a file size limit); the next
    // attempt then fails with the reason.
    while (size > 0) {
        const qint64 written = file_.write(data, size);
        if (written <= 0) return fail(file_.errorString());
        data += written;
        size -= written;
    }
    return true;
}

bool SafeFileWriter::commit() {
    if (failed_ || !file_.isOpen()) return false;
    if (!writeThrough(buffer_.constData(), buffer_.size())) return false;
    buffer_.clear();
    if (!file_.commit()) return fail(file_.errorString());
    return true;
}

void SafeFileWriter::cancel(const QString& reason) {
    fail(reason);
}

bool SafeFileWriter::fail(const QString& reason) {
    if (!failed_) error_ = reason;
    failed_ = true;
    if (file_.isOpen()) file_.cancelWriting();
    return false;
}

}  // namespace sys
