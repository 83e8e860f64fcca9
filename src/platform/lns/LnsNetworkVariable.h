#pragma once

#include "platform/lns/LnsConfigProperty.h"

#include <QList>

// Monitoring options of one NV, edited inside a begin/end bracket.
struct LnsMonitorOptions
{
    bool eventDriven = false; // deliver only changes (otherwise every poll)
    int pollInterval = 0;     // milliseconds; 0 = not polled
    QString format;           // value format of delivered values (empty: the NV's own)
    bool reportByException = false;
};

// A network variable. Its value is text; structured types (SNVT_switch and
// the like) have named elements, reached as through a data point.
class LnsNetworkVariable : public LnsObject
{
public:
    int classId() const override { return LnsClassId::NetworkVariable; }
    virtual int typeId() const = 0; // SNVT index
    virtual QList<int> allowedTypeIds() const = 0;
    // Changes the type; a type outside allowedTypeIds() raises TypeNotAllowed.
    virtual void changeType(int typeId) = 0;
    virtual LnsCollectionRef<LnsConfigProperty> configProperties() const = 0;

    virtual QString value() const = 0;
    virtual void setValue(const QString &text) = 0;
    virtual QStringList elementNames() const = 0;
    virtual QString elementValue(const QString &elementName) const = 0;
    virtual void setElementValue(const QString &elementName, const QString &text) = 0;

    // Monitoring: the tag identifies this NV in the object server's events.
    virtual LnsMonitorOptions monitorOptions() const = 0;
    virtual void beginEditMonitorOptions() = 0;
    virtual void setMonitorOptions(const LnsMonitorOptions &options) = 0; // only inside the bracket
    virtual void endEditMonitorOptions() = 0;
    virtual void setMonitorTag(int tag) = 0;
    virtual int monitorTag() const = 0;
    virtual void activateMonitoring() = 0;
    virtual void deactivateMonitoring() = 0;
    virtual bool isMonitored() const = 0;
};
