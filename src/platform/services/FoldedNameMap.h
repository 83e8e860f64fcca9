#pragma once

#include <QString>
#include <QStringView>
#include <unordered_map>

// Hash and equality of names that match without regard to letter case, so a
// map of such names is looked up with the name as asked: no case-folded copy
// of it per lookup.
struct FoldedNameHash
{
    using is_transparent = void;
    size_t operator()(QStringView name) const
    {
        size_t hash = 0;
        for (const QChar c : name) {
            char16_t u = c.unicode();
            if (u < 0x80)
                u = (u >= u'A' && u <= u'Z') ? char16_t(u + 32) : u;
            else
                u = c.toCaseFolded().unicode();
            hash = hash * 31 + u;
        }
        return hash;
    }
};

struct FoldedNameEqual
{
    using is_transparent = void;
    bool operator()(QStringView a, QStringView b) const
    {
        if (a.size() != b.size())
            return false;
        for (qsizetype i = 0; i < a.size(); ++i) {
            const char16_t x = a[i].unicode();
            const char16_t y = b[i].unicode();
            if (x == y)
                continue;
            if (x >= 0x80 || y >= 0x80) // names are ASCII almost always; the rest the slow way
                return a.mid(i).compare(b.mid(i), Qt::CaseInsensitive) == 0;
            if ((x | 0x20) != (y | 0x20) || (x | 0x20) < u'a' || (x | 0x20) > u'z')
                return false;
        }
        return true;
    }
};

template <class T> using FoldedNameMap = std::unordered_map<QString, T, FoldedNameHash, FoldedNameEqual>;
