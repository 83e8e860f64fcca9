#pragma once

#include "platform/lns/LnsConfigProperty.h"
#include "platform/netdb/NetDbCpCache.h"
#include "platform/netdb/NetDbObjects.h"

#include <QList>

// A CP row of the network database. The value format belongs to this handle
// (as a client-side property): two handles of one CP share the bytes but not
// the format.
class NetDbConfigProperty : public LnsConfigProperty
{
public:
    NetDbConfigProperty(NetDbSessionRef session, qint64 id);

    std::shared_ptr<LnsObject> parent() const override;
    QString name() const override;
    int elementLength() const override;
    int dimension() const override;
    QString valueFormat() const override { return m_format; }
    void setValueFormat(const QString &format) override;
    QString value() const override;
    void setValue(const QString &text) override;
    QString elementValue(int k) const override;
    void setElementValue(int k, const QString &text) override;

private:
    NetDbCpRow row() const;
    void checkElement(const NetDbCpRow &row, int k) const;
    void store(const QList<int> &bytes);

    NetDbSessionRef m_session;
    qint64 m_id;
    QString m_format;
};
