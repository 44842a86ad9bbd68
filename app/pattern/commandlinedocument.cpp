#include "commandlinedocument.h"

CommandLineDocument CommandLineDocument::parse(const QString& rawCommandLine) {
    if (rawCommandLine.size() < 2 || !rawCommandLine.endsWith(QLatin1Char('"'))) return {};
    const QString path = rawCommandLine.mid(1, rawCommandLine.size() - 2);
    if (path.endsWith(QLatin1String(".drm"))) return {Pattern, path};
    if (path.endsWith(QLatin1String(".dsg"))) return {Song, path};
    return {};
}
