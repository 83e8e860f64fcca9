#include "ui/ParameterFolder.h"

#include "host/LcaPlugIn.h"
#include "platform/services/RegistryUtility.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString settingsKey()
{
    return LcaPlugIn::ProductKey() + QStringLiteral("\\Settings");
}
const QString ValueName = QStringLiteral("ParameterFolder");
} // namespace

QString ParameterFolder::Last()
{
    const QString stored = RegistryUtility::read(settingsKey(), ValueName, QString());
    if (!stored.isEmpty() && QFileInfo(stored).isDir())
        return stored;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void ParameterFolder::Remember(const QString &file)
{
    RegistryUtility::write(settingsKey(), ValueName, QFileInfo(file).absolutePath());
}
