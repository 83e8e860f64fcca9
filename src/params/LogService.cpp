#include "params/LogService.h"

#include "host/ResourceStrings.h"
#include "platform/services/Clock.h"

LogService &LogService::instance()
{
    static LogService service;
    return service;
}

void LogService::reset()
{
    LogService &s = instance();
    s.m_lines.clear();
    s.m_statusText.clear();
    s.m_applyEnabled = false;
    s.m_parametersChanged = false;
    s.m_errorLogged = false;
}

int LogService::displayColour(int colour)
{
    if (colour == Green)
        return DarkGreen;
    if (colour == Blue)
        return DarkBlue;
    return colour;
}

void LogService::WriteLogLine(const QString &text, int colour, bool bold, bool withTime, int blankLines)
{
    if (colour == Red)
        setErrorLogged(true);
    QString line = text;
    if (withTime)
        line = Clock::timeOfDay().toString(QStringLiteral("HH:mm:ss")) + QStringLiteral(" - ") + text;
    append({line, displayColour(colour), bold});
    for (int i = 0; i < blankLines; ++i)
        append({});
}

void LogService::LogNameList(const QStringList &names)
{
    WriteLogLine(QStringLiteral("  ") + ResourceStrings::LoadResString(1553));
    for (const QString &name : names)
        WriteLogLine(QStringLiteral("    - ") + name, Green);
    WriteLogLine(QString());
}

void LogService::ShowLogger()
{
    Q_EMIT showLoggerRequested();
}

void LogService::setStatusText(const QString &text)
{
    m_statusText = text;
    Q_EMIT statusTextChanged(text);
}

void LogService::setApplyEnabled(bool enabled)
{
    m_applyEnabled = enabled;
    Q_EMIT applyEnabledChanged(enabled);
}

void LogService::setParametersChanged(bool changed)
{
    m_parametersChanged = changed;
    Q_EMIT parametersChangedChanged(changed);
}

void LogService::setErrorLogged(bool logged)
{
    m_errorLogged = logged;
    Q_EMIT errorLoggedChanged(logged);
}

void LogService::append(const LogLine &line)
{
    m_lines.append(line);
    Q_EMIT lineAdded(line);
}

QString LogService::RedText() const
{
    QStringList lines;
    for (const LogLine &line : m_lines) {
        if (line.colour == Red && !line.text.trimmed().isEmpty())
            lines << line.text.trimmed();
    }
    return lines.join(QLatin1Char(' '));
}
