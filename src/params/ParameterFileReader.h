#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

// The sections and keys of a parameter file, as the file gives them. A value
// is the whole text right of the first "=" (the blank of the " = " separator
// removed, trailing blanks dropped): a 2-byte line keeps "1,44" and an ASCII
// line keeps the comma that protects its trailing blanks.
//
// Section and key names match without regard to letter case; the first line
// of a key holds. Lines starting with ";" or "#" are comments; CR LF, LF and
// a lone CR all end a line. The bytes are Windows-1252. Anything that is not a
// section header or a "key = value" line is skipped, so damaged files read as
// far as they are readable.
class ParameterFileReader
{
public:
    // Files past this size are no parameter files and read as empty.
    static constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

    ParameterFileReader() = default;
    // A missing, unreadable or oversized file reads as empty.
    static ParameterFileReader fromFile(const QString &path);
    static ParameterFileReader fromBytes(const QByteArray &bytes);

    // The value of key in section; empty when absent.
    QString value(const QString &section, const QString &key) const;
    bool hasKey(const QString &section, const QString &key) const;

private:
    void parse(QString text);

    QHash<QString, QHash<QString, QString>> m_sections;
};
