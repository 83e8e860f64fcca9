#include "platform/services/PathUtility.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
// The plug-in description file is the one data file every start reads.
const QString MarkerFile = QStringLiteral("tarvinaRX24.ini");
// Where an install puts the data, seen from the executable's folder.
const QString InstalledDataFolder = QStringLiteral(RX24_DATA_FROM_BIN);
} // namespace

QString PathUtility::withTrailingSeparator(const QString &folder)
{
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder;
    return folder + QLatin1Char('/');
}

QString PathUtility::programFolder()
{
    return dataFolderOf(QCoreApplication::applicationDirPath());
}

QString PathUtility::dataFolderOf(const QString &executableFolder)
{
    const QDir beside(executableFolder);
    if (beside.exists(MarkerFile))
        return withTrailingSeparator(executableFolder);
    const QString installed = QDir::cleanPath(beside.filePath(InstalledDataFolder));
    if (QFileInfo(installed).isDir())
        return withTrailingSeparator(installed);
    return withTrailingSeparator(executableFolder);
}

bool PathUtility::runsInstalled()
{
    return programFolder() != withTrailingSeparator(QCoreApplication::applicationDirPath());
}
