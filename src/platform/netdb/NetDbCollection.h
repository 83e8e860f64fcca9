#pragma once

#include "platform/lns/LnsError.h"
#include "platform/lns/LnsObject.h"
#include "platform/netdb/NetDbSession.h"

#include <functional>

// A collection as the object server hands it out: its members are listed
// from the database on every call, so it follows changes of other clients.
// With a finder, a member is looked up by name without listing them all.
template <class T> class NetDbCollection : public LnsCollection<T>
{
public:
    using Lister = std::function<IdNameList()>;
    using Maker = std::function<LnsRef<T>(qint64)>;
    using Finder = std::function<QVariant(const QString &)>; // the id, null when absent

    // what names the collection in errors, e.g. "LonMarkObjects of device \"RX1\"".
    NetDbCollection(QString what, Lister lister, Maker maker, Finder finder = {})
        : m_what(std::move(what)), m_lister(std::move(lister)), m_maker(std::move(maker)),
          m_finder(std::move(finder))
    {
    }

    int count() const override { return static_cast<int>(m_lister().size()); }

    LnsRef<T> item(int index) const override
    {
        const IdNameList members = m_lister();
        if (index < 1 || index > members.size())
            throw LnsError(LnsErrorCode::NotFound,
                           QStringLiteral("%1: there is no item %2 (the collection holds %3).")
                               .arg(m_what, QString::number(index), QString::number(members.size())));
        return m_maker(members.at(index - 1).first);
    }

    LnsRef<T> item(const QString &name) const override
    {
        if (m_finder) {
            const QVariant id = m_finder(name);
            if (id.isNull())
                throw LnsError(LnsErrorCode::NotFound,
                               QStringLiteral("%1: there is no item \"%2\".").arg(m_what, name));
            return m_maker(id.toLongLong());
        }
        for (const auto &[id, memberName] : m_lister()) {
            if (memberName == name)
                return m_maker(id);
        }
        throw LnsError(LnsErrorCode::NotFound,
                       QStringLiteral("%1: there is no item \"%2\".").arg(m_what, name));
    }

private:
    QString m_what;
    Lister m_lister;
    Maker m_maker;
    Finder m_finder;
};

template <class T>
LnsCollectionRef<T> makeNetDbCollection(QString what, typename NetDbCollection<T>::Lister lister,
                                        typename NetDbCollection<T>::Maker maker,
                                        typename NetDbCollection<T>::Finder finder = {})
{
    return std::make_shared<NetDbCollection<T>>(std::move(what), std::move(lister), std::move(maker),
                                                std::move(finder));
}
