#pragma once

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

// One entry of the log.
struct LogEntry
{
    enum class Kind { Trace, Error };

    QDateTime time;
    Kind kind = Kind::Trace;
    QString text; // the trace text, or the readable line of an error entry
    // Error entries only:
    int lineNumber = 0;
    long errorNumber = 0;
    QString errorText;
    QString moduleName;
    QString procedureName;
};

// The program's log: trace lines of the procedures and error entries of their
// error handlers. Entries are kept in memory, written with a time stamp to the
// log file when file output is on, and announced by entryAdded so that a log
// window can show them when window output is on.
//
// The log file goes to the configured folder when that folder is writable,
// otherwise to the user's application data folder.
class QX_Logger : public QObject
{
    Q_OBJECT
public:
    struct Config
    {
        QString logFileName; // e.g. "tarvinaRX24.LOG"
        QString logFolder;   // preferred folder, normally the program's folder
        int majorVersion = 0;
        int minorVersion = 0;
        int revision = 0;
        int resourceBase = 1000; // first text id of the language in use
        QString productName;
        bool fileOutput = true;
        bool windowOutput = true;
    };

    using QObject::QObject;

    // Takes the settings and starts a session in the log file with a header line.
    void configure(const Config &config);
    const Config &config() const { return m_config; }

    void trace(const QString &text);
    void error(int lineNumber, long errorNumber, const QString &errorText, const QString &moduleName,
               const QString &procedureName);

    // Asks the log window to show itself.
    void showLogWindow();

    // The file entries are written to; empty while file output is off or no
    // folder could be written.
    QString logFilePath() const { return m_filePath; }

    const QList<LogEntry> &entries() const { return m_entries; }
    void clearEntries() { m_entries.clear(); }

    // The readable line of an error entry.
    static QString errorLine(int lineNumber, long errorNumber, const QString &errorText,
                             const QString &moduleName, const QString &procedureName);

Q_SIGNALS:
    // Emitted for each entry while window output is on.
    void entryAdded(const LogEntry &entry);
    void showWindowRequested();

private:
    void add(LogEntry entry);
    void writeLine(const QString &line);
    QString chooseFilePath() const;

    Config m_config;
    QString m_filePath;
    QList<LogEntry> m_entries;
};
