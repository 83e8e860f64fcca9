#include "platform/services/PathUtility.h"

#include <QCoreApplication>

QString PathUtility::withTrailingSeparator(const QString &folder)
{
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder;
    return folder + QLatin1Char('/');
}

QString PathUtility::programFolder()
{
    return withTrailingSeparator(QCoreApplication::applicationDirPath());
}
