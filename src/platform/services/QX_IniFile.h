#pragma once

#include <QHash>
#include <QString>

// Read-only INI reader. A value holds items separated by ","; items are
// addressed from 1 and come back trimmed. Section and key names match without
// regard to letter case, but their blanks count (a section name ending with
// one blank differs from the same name without it). Lines starting with ";"
// or "#" are comments; CR LF and LF line ends are both read. A missing file,
// section, key or item reads as an empty text.
//
// The file is UTF-8 or, when it is not valid UTF-8, Windows-1252. One marked
// as UTF-8 that is not, or one in UTF-16, is refused: it reads as empty and
// problem() says why.
//
// Every read sees the file as it is now: the parsed content is kept while
// the file's modification time and size stay the same, and read again when
// either changed (or the file appeared or went away), so an edit made while
// the program runs shows at the next read without parsing the file per key.
class QX_IniFile
{
public:
    QX_IniFile() = default;
    explicit QX_IniFile(const QString &path) { setPath(path); }

    // Sets the file path; the file is read on the first read() after it.
    void setPath(const QString &path);
    QString path() const { return m_path; }

    // Item n (from 1) of the value of key in section; empty when absent.
    QString read(const QString &section, const QString &key, int item = 1) const;
    // The whole value of key in section; empty when absent.
    QString value(const QString &section, const QString &key) const;
    bool hasKey(const QString &section, const QString &key) const;
    // Why the file as it is now cannot be read, naming it and the line;
    // empty when it can (or is missing).
    QString problem() const;

private:
    // Parses the file unless what was parsed is still the file's content.
    void load() const;

    // What identifies one version of the file.
    struct Stamp
    {
        bool exists = false;
        qint64 modifiedMs = 0;
        qint64 size = -1;
        bool operator==(const Stamp &) const = default;
    };
    Stamp currentStamp() const;

    QString m_path;
    mutable bool m_loaded = false;
    mutable Stamp m_stamp;
    mutable QHash<QString, QHash<QString, QString>> m_sections;
    mutable QString m_problem;
};
