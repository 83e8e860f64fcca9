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
// a lone CR all end a line. Anything that is not a section header or a
// "key = value" line is skipped.
//
// The files are Windows-1252, as the product line has always written them.
// A file that is valid UTF-8 and holds characters beyond ASCII was written
// by an editor in UTF-8 and is read as such, with or without a byte-order
// mark; a file that claims an encoding it does not keep, or one in UTF-16, is
// not read at all (encodingProblem). ParameterFile's save asks readsAsUtf8()
// so that its own files always read back in the code page.
class ParameterFileReader
{
public:
    // Files past this size are no parameter files and read as empty.
    static constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

    enum class EncodingProblem {
        None,
        InvalidUtf8, // marked as UTF-8, with bytes that are not
        Utf16,
    };

    ParameterFileReader() = default;
    // A missing, unreadable or oversized file reads as empty.
    static ParameterFileReader fromFile(const QString &path);
    static ParameterFileReader fromBytes(const QByteArray &bytes, const QString &fileName = QString());
    // Whether bytes without a byte-order mark are taken as UTF-8 rather than
    // Windows-1252: they hold characters beyond ASCII and are valid UTF-8.
    static bool readsAsUtf8(QByteArrayView bytes);

    const QString &fileName() const { return m_fileName; }

    // The value of key in section; empty when absent.
    QString value(const QString &section, const QString &key) const;
    bool hasKey(const QString &section, const QString &key) const;
    // The line (from 1) the value of key comes from; 0 when absent.
    int lineOf(const QString &section, const QString &key) const;

    EncodingProblem encodingProblem() const { return m_encodingProblem; }
    // The first line of the problem.
    int encodingProblemLine() const { return m_encodingProblemLine; }

    // Number of lines, and of empty lines after the header of section (-1
    // when the file has no such section). The parameter file closes each of
    // its seven blocks of settings with an empty line, so a file cut off in
    // the middle of its settings has fewer.
    int lineCount() const { return m_lineCount; }
    int emptyLinesIn(const QString &section) const;
    // The last line is ended by a line break.
    bool endsWithLineBreak() const { return m_endsWithLineBreak; }

private:
    struct Entry
    {
        QString value;
        int line = 0;
    };
    struct Section
    {
        QHash<QString, Entry> entries;
        int emptyLines = 0;
    };

    void decodeAndParse(const QByteArray &bytes);
    void parse(QString text);
    const Entry *find(const QString &section, const QString &key) const;

    QString m_fileName;
    QHash<QString, Section> m_sections;
    EncodingProblem m_encodingProblem = EncodingProblem::None;
    int m_encodingProblemLine = 0;
    int m_lineCount = 0;
    bool m_endsWithLineBreak = false;
};
