#include "host/FileExists.h"

#include <QFile>
#include <QFileInfo>

bool FileExists(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}
