#include "template/LocalServerLookup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

LocalServerLookup::LocalServerLookup() : m_servicesDirs(defaultServicesDirs()) {}

LocalServerLookup::LocalServerLookup(QStringList servicesDirs) : m_servicesDirs(std::move(servicesDirs)) {}

QStringList LocalServerLookup::defaultServicesDirs()
{
    const QString services = QStringLiteral("/dbus-1/services");
    QStringList dirs{QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + services};
    QString dataDirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dataDirs.isEmpty())
        dataDirs = QStringLiteral("/usr/local/share:/usr/share");
    for (const QString &dir : dataDirs.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        // Relative entries are not part of the search path.
        const QString folder = QDir::cleanPath(dir) + services;
        if (QDir::isAbsolutePath(dir) && !dirs.contains(folder))
            dirs << folder;
    }
    return dirs;
}

QString LocalServerLookup::serviceFile(const QString &progId) const
{
    if (progId.isEmpty())
        return {};
    for (const QString &dir : m_servicesDirs) {
        if (dir.isEmpty())
            continue;
        const QString file = QDir(dir).filePath(progId + QStringLiteral(".service"));
        if (QFileInfo(file).isFile())
            return file;
    }
    return {};
}

QString LocalServerLookup::localServer(const QString &progId) const
{
    const QString path = serviceFile(progId);
    if (path.isEmpty())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};

    static const QString execKey = QStringLiteral("Exec=");
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(execKey))
            return firstWord(line.mid(execKey.size()));
    }
    return {};
}

QString LocalServerLookup::firstWord(const QString &commandLine)
{
    const QString text = commandLine.trimmed();
    if (text.isEmpty())
        return {};
    const QChar first = text.at(0);
    if (first == QLatin1Char('"') || first == QLatin1Char('\'')) {
        const qsizetype close = text.indexOf(first, 1);
        return close < 0 ? text.mid(1) : text.mid(1, close - 1);
    }
    qsizetype end = 0;
    while (end < text.size() && !text.at(end).isSpace())
        ++end;
    return text.left(end);
}
