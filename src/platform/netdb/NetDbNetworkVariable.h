#pragma once

#include "platform/lns/LnsNetworkVariable.h"
#include "platform/netdb/NetDbNvRow.h"
#include "platform/netdb/NetDbObjects.h"

#include <QStringList>

// An NV row of the network database. Monitoring options, tag and activation
// are this client's and live in the session, shared by every handle of the NV.
class NetDbNetworkVariable : public LnsNetworkVariable
{
public:
    NetDbNetworkVariable(NetDbSessionRef session, qint64 id);

    std::shared_ptr<LnsObject> parent() const override;
    QString name() const override;
    int typeId() const override;
    QList<int> allowedTypeIds() const override;
    void changeType(int typeId) override;
    LnsCollectionRef<LnsConfigProperty> configProperties() const override;

    QString value() const override;
    void setValue(const QString &text) override;
    QStringList elementNames() const override;
    QString elementValue(const QString &elementName) const override;
    void setElementValue(const QString &elementName, const QString &text) override;

    LnsMonitorOptions monitorOptions() const override;
    void beginEditMonitorOptions() override;
    void setMonitorOptions(const LnsMonitorOptions &options) override;
    void endEditMonitorOptions() override;
    void setMonitorTag(int tag) override;
    int monitorTag() const override;
    void activateMonitoring() override;
    void deactivateMonitoring() override;
    bool isMonitored() const override;

private:
    using Row = NetDbNvRow;
    Row row() const;
    int elementIndex(const Row &row, const QString &elementName) const;

    NetDbSessionRef m_session;
    qint64 m_id;
    // One collection per handle: a walk through it lists its members once.
    mutable LnsCollectionRef<LnsConfigProperty> m_cps;
};
