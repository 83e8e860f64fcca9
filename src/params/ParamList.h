#pragma once

#include "platform/AppError.h"
#include "platform/services/FoldedNameMap.h"

#include <QList>
#include <QString>

// An ordered list of named objects: items keep insertion order, are counted
// from 1 and are found by name without regard to letter case, as the
// collections the parameter set was first written for. The list does not own
// its items.
template <class T> class ParamList
{
public:
    int Count() const { return static_cast<int>(m_items.size()); }
    bool isEmpty() const { return m_items.isEmpty(); }

    // Index outside 1 .. Count: AppError 9.
    T *Item(int index) const
    {
        if (index < 1 || index > m_items.size())
            throw AppError(9, QStringLiteral("cParams"), QStringLiteral("Subscript out of range"));
        return m_items.at(index - 1);
    }
    // Unknown name: AppError 5.
    T *Item(const QString &name) const
    {
        T *item = Find(name);
        if (!item)
            throw AppError(5, QStringLiteral("cParams"),
                           QStringLiteral("Invalid procedure call or argument"));
        return item;
    }
    T *Find(const QString &name) const
    {
        const auto it = m_byKey.find(QStringView(name));
        return it == m_byKey.end() ? nullptr : it->second;
    }
    bool Contains(const QString &name) const { return m_byKey.find(QStringView(name)) != m_byKey.end(); }

    // A name already in the list: AppError 457, and the list stays as it was.
    void Add(T *item, const QString &name)
    {
        if (Contains(name))
            throw AppError(
                457, QStringLiteral("cParams"),
                QStringLiteral("This key is already associated with an element of this collection"));
        m_items.append(item);
        m_byKey.emplace(name, item);
    }

    const QList<T *> &items() const { return m_items; }
    auto begin() const { return m_items.cbegin(); }
    auto end() const { return m_items.cend(); }

private:
    QList<T *> m_items;
    FoldedNameMap<T *> m_byKey;
};
