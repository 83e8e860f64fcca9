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
        return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
    }
};

template <class T> using FoldedNameMap = std::unordered_map<QString, T, FoldedNameHash, FoldedNameEqual>;
