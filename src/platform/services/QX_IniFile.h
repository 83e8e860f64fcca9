#pragma once

#include <QHash>
#include <QString>

// Read-only INI reader. A value holds items separated by ","; items are
// addressed from 1 and come back trimmed. Section and key names match without
// regard to letter case, but their blanks count (a section name ending with
// one blank differs from the same name without it). Lines starting with ";"
// or "#" are comments; CR LF and LF line ends are both read. A missing file,
// section, key or item reads as an empty text.
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

private:
    void load() const;

    QString m_path;
    mutable bool m_loaded = false;
    mutable QHash<QString, QHash<QString, QString>> m_sections;
};
