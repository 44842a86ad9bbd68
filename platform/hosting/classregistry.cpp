#include "classregistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

namespace hosting {

namespace {

constexpr int kLockTimeoutMs = 10000;
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

// Names and values are single lines; a line break in one becomes a blank.
QString singleLine(QString text) {
    return text.replace('\n', ' ').replace('\r', ' ');
}

}  // namespace

ClassRegistry::ClassRegistry(QString path) : path_(std::move(path)) {}

ClassRegistry::~ClassRegistry() = default;

bool ClassRegistry::open() {
    const QFileInfo info(path_);
    if (!QDir().mkpath(info.absolutePath())) return false;
    lock_ = std::make_unique<QLockFile>(path_ + QStringLiteral(".lock"));
    if (!lock_->tryLock(kLockTimeoutMs) || !read()) return false;
    saved_ = text();
    return true;
}

bool ClassRegistry::read() {
    QFile file(path_);
    if (!file.exists()) return true;
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileSize) return false;
    QString section;
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    for (QString line : lines) {
        line = line.trimmed();
        if (line.startsWith('[') && line.endsWith(']')) {
            section = line.mid(1, line.size() - 2);
            sections_[section];
        } else if (const qsizetype eq = line.indexOf('='); eq > 0 && !section.isEmpty()) {
            sections_[section][line.left(eq)] = line.mid(eq + 1);
        }
    }
    return true;
}

QByteArray ClassRegistry::text() const {
    QString out;
    for (const auto& [section, keys] : sections_) {
        if (!out.isEmpty()) out += '\n';
        out += '[' + singleLine(section) + "]\n";
        for (const auto& [key, value] : keys)
            out += singleLine(key) + '=' + singleLine(value) + '\n';
    }
    return out.toUtf8();
}

bool ClassRegistry::save() {
    const QByteArray contents = text();
    if (contents == saved_) return true;
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(contents);
    if (!file.commit()) return false;
    saved_ = contents;
    return true;
}

QString ClassRegistry::value(const QString& section, const QString& key) const {
    const auto s = sections_.find(section);
    if (s == sections_.end()) return {};
    const auto k = s->second.find(key);
    return k == s->second.end() ? QString() : k->second;
}

void ClassRegistry::setValue(const QString& section, const QString& key, const QString& value) {
    sections_[section][key] = value;
}

void ClassRegistry::removeTree(const QString& section) {
    const QString below = section + '\\';
    for (auto it = sections_.begin(); it != sections_.end();) {
        if (it->first == section || it->first.startsWith(below)) {
            it = sections_.erase(it);
        } else {
            ++it;
        }
    }
}

QStringList ClassRegistry::sections() const {
    QStringList result;
    for (const auto& entry : sections_) result.append(entry.first);
    return result;
}

}  // namespace hosting
