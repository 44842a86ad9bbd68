#pragma once

#include <QByteArray>
#include <QString>

namespace sys {

// The user's choice of default applications (mimeapps.list): one line set, the rest kept.
class MimeAppsList {
public:
    static QByteArray withDefault(const QByteArray& text, const QString& mimeType,
                                  const QString& desktopId);
};

}  // namespace sys
