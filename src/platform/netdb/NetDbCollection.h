#pragma once

#include "platform/lns/LnsError.h"
#include "platform/lns/LnsObject.h"
#include "platform/netdb/NetDbSession.h"

#include <functional>
#include <memory>

// A collection as the object server hands it out. Its members are listed
// once and served again while the session's reads stand (see
// NetDbSession::readGeneration): a walk over count() and item(i) lists them
// once, and after a write, or a commit of another client, the next call
// lists them afresh, so the collection follows every change. With a finder,
// a member is looked up by name without listing them all.
template <class T> class NetDbCollection : public LnsCollection<T>
{
public:
    using Lister = std::function<IdNameList()>;
    using Maker = std::function<LnsRef<T>(qint64)>;
    using Finder = std::function<QVariant(const QString &)>; // the id, null when absent
    // What names the collection in errors, e.g. "LonMarkObjects of device \"RX1\"";
    // asked only for an error.
    using Naming = std::function<QString()>;

    NetDbCollection(std::shared_ptr<const NetDbSession> session, Naming what, Lister lister, Maker maker,
                    Finder finder = {})
        : m_session(std::move(session)), m_what(std::move(what)), m_lister(std::move(lister)),
          m_maker(std::move(maker)), m_finder(std::move(finder))
    {
    }

    int count() const override { return static_cast<int>(members().size()); }

    LnsRef<T> item(int index) const override
    {
        const IdNameList &listed = members();
        if (index < 1 || index > listed.size())
            throw LnsError(LnsErrorCode::NotFound,
                           QStringLiteral("%1: there is no item %2 (the collection holds %3).")
                               .arg(m_what(), QString::number(index), QString::number(listed.size())));
        return m_maker(listed.at(index - 1).first);
    }

    LnsRef<T> item(const QString &name) const override
    {
        if (m_finder) {
            const QVariant id = m_finder(name);
            if (id.isNull())
                throw LnsError(LnsErrorCode::NotFound,
                               QStringLiteral("%1: there is no item \"%2\".").arg(m_what(), name));
            return m_maker(id.toLongLong());
        }
        for (const auto &[id, memberName] : members()) {
            if (memberName == name)
                return m_maker(id);
        }
        throw LnsError(LnsErrorCode::NotFound,
                       QStringLiteral("%1: there is no item \"%2\".").arg(m_what(), name));
    }

private:
    const IdNameList &members() const
    {
        const quint64 generation = m_session->readGeneration();
        if (!m_listed || generation != m_listedIn) {
            // Listing may raise (the database gone): nothing is kept then.
            m_members = m_lister();
            m_listedIn = generation;
            m_listed = true;
        }
        return m_members;
    }

    std::shared_ptr<const NetDbSession> m_session;
    Naming m_what;
    Lister m_lister;
    Maker m_maker;
    Finder m_finder;
    mutable IdNameList m_members;
    mutable quint64 m_listedIn = 0;
    mutable bool m_listed = false;
};

template <class T>
LnsCollectionRef<T>
makeNetDbCollection(std::shared_ptr<const NetDbSession> session, typename NetDbCollection<T>::Naming what,
                    typename NetDbCollection<T>::Lister lister, typename NetDbCollection<T>::Maker maker,
                    typename NetDbCollection<T>::Finder finder = {})
{
    return std::make_shared<NetDbCollection<T>>(std::move(session), std::move(what), std::move(lister),
                                                std::move(maker), std::move(finder));
}
