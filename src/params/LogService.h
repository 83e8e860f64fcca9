#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

// One line of the coloured log: colour is 0x00BBGGRR.
struct LogLine
{
    QString text;
    int colour = 0;
    bool bold = false;

    bool operator==(const LogLine &other) const = default;
};

// The log, status line, Apply state and change flags that the workflows use
// while they run. The main window shows what this service holds and follows
// its signals; without a window the service still keeps everything, so the
// workflows behave the same with and without one.
class LogService : public QObject
{
    Q_OBJECT
public:
    static constexpr int Black = 0;
    static constexpr int Red = 255;
    static constexpr int Green = 65280;
    static constexpr int DarkGreen = 32768;
    static constexpr int Blue = 16711680;
    static constexpr int DarkBlue = 192 << 16;

    // The one instance the program shares.
    static LogService &instance();
    // Empties the log and clears all state of the shared instance (tests).
    static void reset();

    // Appends a line (and blankLines empty lines). Pure green is shown dark
    // green, pure blue with blue 192; pure red marks that an error was logged.
    void WriteLogLine(const QString &text, int colour = Black, bool bold = false, bool withTime = false,
                      int blankLines = 0);
    // The heading and the names of the CPs about to be written.
    void LogNameList(const QStringList &names);
    // Asks the window to bring the log into view.
    void ShowLogger();

    const QList<LogLine> &Lines() const { return m_lines; }
    // The red lines that say something, joined by blanks: why an operation
    // without a window failed.
    QString RedText() const;

    const QString &StatusText() const { return m_statusText; }
    void setStatusText(const QString &text);
    bool ApplyEnabled() const { return m_applyEnabled; }
    void setApplyEnabled(bool enabled);

    bool ParametersChanged() const { return m_parametersChanged; }
    void setParametersChanged(bool changed);
    bool ErrorLogged() const { return m_errorLogged; }
    void setErrorLogged(bool logged);

    // The colour a line is shown in.
    static int displayColour(int colour);

Q_SIGNALS:
    void lineAdded(const LogLine &line);
    void statusTextChanged(const QString &text);
    void applyEnabledChanged(bool enabled);
    void parametersChangedChanged(bool changed);
    void errorLoggedChanged(bool logged);
    void showLoggerRequested();

private:
    void append(const LogLine &line);

    QList<LogLine> m_lines;
    QString m_statusText;
    bool m_applyEnabled = false;
    bool m_parametersChanged = false;
    bool m_errorLogged = false;
};
