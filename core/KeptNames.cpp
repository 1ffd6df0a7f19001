#include "core/KeptNames.h"

#include "platform/FileIO.h"

namespace SettingsFiles {

QString keptName(const QString& path, const char* suffix)
{
    const QString first = path + QLatin1String(suffix);
    if (!FileIO::somethingAt(first))
        return first;
    for (int n = 2; n < 1000; ++n) {
        const QString name = first + QLatin1Char('.') + QString::number(n);
        if (!FileIO::somethingAt(name))
            return name;
    }
    return QString();
}

} // namespace SettingsFiles
