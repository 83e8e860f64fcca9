#include "platform/services/SettingsLocation.h"

#include <QStandardPaths>

namespace {
QString &overridePath()
{
    static QString path;
    return path;
}
} // namespace

QString SettingsLocation::filePath()
{
    if (!overridePath().isEmpty())
        return overridePath();
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/velto/registry.ini");
}

void SettingsLocation::setFilePath(const QString &path)
{
    overridePath() = path;
}
