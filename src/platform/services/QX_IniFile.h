#pragma once

#include "platform/services/IniFileContent.h"

#include <QString>
#include <memory>

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
// The file is compared with what was read once per operation (FileCheckPoint):
// at the first read after an operation began, by its modification time, size
// and inode, and read again only when one of them changed (or the file
// appeared or went away, or was written less than a second before, when its
// stamp cannot tell two versions apart). Every other read of the operation asks the disk
// nothing, and an edit made while the program runs shows at the next
// operation.
class QX_IniFile
{
public:
    QX_IniFile() = default;
    explicit QX_IniFile(const QString &path) { setPath(path); }

    // Sets the file path; the file is looked at on the first read after it.
    void setPath(const QString &path);
    QString path() const { return m_path; }

    // Item n (from 1) of the value of key in section; empty when absent.
    QString read(const QString &section, const QString &key, int item = 1) const;
    // The whole value of key in section; empty when absent.
    QString value(const QString &section, const QString &key) const;
    bool hasKey(const QString &section, const QString &key) const;
    // Why the file as this operation sees it cannot be read, naming it and
    // the line; empty when it can (or is missing).
    QString problem() const;

private:
    // The content as of this operation.
    const IniFileContent &content() const;

    QString m_path;
    mutable std::shared_ptr<const IniFileContent> m_content;
    mutable IniFileContent::Stamp m_stamp;
    mutable quint64 m_comparedIn = 0; // the operation of the last comparison
};
