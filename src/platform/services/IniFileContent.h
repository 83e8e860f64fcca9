#pragma once

#include "platform/services/FoldedNameMap.h"

#include <QString>
#include <QStringList>
#include <memory>

// One version of an INI file as parsed: sections of keys and their values,
// names without regard to letter case. Readers of the same version share it,
// so a reader made for every copy target does not parse the file again.
class IniFileContent
{
public:
    // What tells one version of a file from another.
    struct Stamp
    {
        bool exists = false;
        qint64 modifiedNs = 0;
        qint64 size = -1;
        quint64 inode = 0; // an editor that saves by renaming gives a new one
        // Modified more than a second before it was looked at. A file written
        // again within the clock tick of the file system keeps its time, and
        // with its size its stamp: such a stamp says nothing until it settled.
        bool settled = false;
        bool operator==(const Stamp &other) const
        {
            return exists == other.exists && modifiedNs == other.modifiedNs && size == other.size &&
                   inode == other.inode;
        }
    };
    static Stamp stampOf(const QString &path);

    // The content of path as of stamp (empty when the file is missing or
    // unreadable); parsed once per settled version, every time otherwise.
    static std::shared_ptr<const IniFileContent> of(const QString &path, const Stamp &stamp);
    // path: named in the problem of a file that cannot be read.
    static IniFileContent parse(const QString &path, const QByteArray &bytes);

    // The whole value, trimmed; null when absent.
    QString value(const QString &section, const QString &key) const;
    // Item n (from 1) of the value, the items separated by "," and trimmed;
    // empty when absent.
    QString item(const QString &section, const QString &key, int n) const;
    bool hasKey(const QString &section, const QString &key) const;
    // Why the file cannot be read (it then holds nothing); empty when it can.
    const QString &problem() const { return m_problem; }

private:
    // A value split once, as every query of an item would split it.
    struct Entry
    {
        QString value;
        QStringList items;
    };
    const Entry *find(const QString &section, const QString &key) const;

    FoldedNameMap<FoldedNameMap<Entry>> m_sections;
    QString m_problem;
};
