#include "platform/services/QX_Logger.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
// True when a file can be appended to in folder (the folder is created if missing).
bool canWriteIn(const QString &folder, const QString &fileName)
{
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return false;
    QFile probe(QDir(folder).filePath(fileName));
    if (!probe.open(QIODevice::Append | QIODevice::Text))
        return false;
    probe.close();
    return true;
}
} // namespace

QString QX_Logger::chooseFilePath() const
{
    QString fileName = m_config.logFileName;
    if (fileName.isEmpty())
        fileName = QStringLiteral("tarvinaRX24.LOG");
    if (canWriteIn(m_config.logFolder, fileName))
        return QDir(m_config.logFolder).filePath(fileName);
    const QString fallback = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (canWriteIn(fallback, fileName))
        return QDir(fallback).filePath(fileName);
    return QString();
}

void QX_Logger::configure(const Config &config)
{
    m_config = config;
    m_filePath = m_config.fileOutput ? chooseFilePath() : QString();
    writeLine(QStringLiteral("==== %1 %2.%3.%4 started ====")
                  .arg(m_config.productName, QString::number(m_config.majorVersion),
                       QString::number(m_config.minorVersion), QString::number(m_config.revision)));
}

QString QX_Logger::errorLine(int lineNumber, long errorNumber, const QString &errorText,
                             const QString &moduleName, const QString &procedureName)
{
    return QStringLiteral("Error %1 in %2.%3, line %4: %5")
        .arg(QString::number(errorNumber), moduleName, procedureName, QString::number(lineNumber), errorText);
}

void QX_Logger::trace(const QString &text)
{
    LogEntry entry;
    entry.kind = LogEntry::Kind::Trace;
    entry.text = text;
    add(std::move(entry));
}

void QX_Logger::error(int lineNumber, long errorNumber, const QString &errorText, const QString &moduleName,
                      const QString &procedureName)
{
    LogEntry entry;
    entry.kind = LogEntry::Kind::Error;
    entry.text = errorLine(lineNumber, errorNumber, errorText, moduleName, procedureName);
    entry.lineNumber = lineNumber;
    entry.errorNumber = errorNumber;
    entry.errorText = errorText;
    entry.moduleName = moduleName;
    entry.procedureName = procedureName;
    add(std::move(entry));
}

void QX_Logger::showLogWindow()
{
    Q_EMIT showWindowRequested();
}

void QX_Logger::add(LogEntry entry)
{
    entry.time = QDateTime::currentDateTime();
    const QString kind =
        entry.kind == LogEntry::Kind::Error ? QStringLiteral("ERROR") : QStringLiteral("TRACE");
    writeLine(kind + QLatin1Char(' ') + entry.text);
    m_entries.append(entry);
    if (m_config.windowOutput)
        Q_EMIT entryAdded(m_entries.last());
}

void QX_Logger::writeLine(const QString &line)
{
    if (!m_config.fileOutput || m_filePath.isEmpty())
        return;
    QFile file(m_filePath);
    if (!file.open(QIODevice::Append | QIODevice::Text))
        return;
    const QString stamped = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")) +
                            QLatin1Char(' ') + line;
    file.write(stamped.toUtf8());
    file.write("\n");
}
