#include "template/LocalServerLookup.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

LocalServerLookup::LocalServerLookup() : m_servicesDir(defaultServicesDir()) {}

LocalServerLookup::LocalServerLookup(QString servicesDir) : m_servicesDir(std::move(servicesDir)) {}

QString LocalServerLookup::defaultServicesDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/dbus-1/services");
}

QString LocalServerLookup::localServer(const QString &progId) const
{
    if (progId.isEmpty() || m_servicesDir.isEmpty())
        return {};
    QFile file(QDir(m_servicesDir).filePath(progId + QStringLiteral(".service")));
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
