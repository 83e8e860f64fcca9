#pragma once

#include "platform/lns/LnsNetwork.h"

#include <QObject>

// The object server: connects to a network database, opens networks, and
// delivers the events of monitored NVs on the event loop.
class LnsObjectServer : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // ConnectMode 0: local database. 1 and 2 (remote) raise RemoteUnsupported
    // until a server database exists.
    virtual void connectServer(int connectMode) = 0;
    virtual bool isConnected() const = 0;
    virtual void disconnectServer() = 0;
    // The probe call at start; raises when the object server is unusable.
    virtual void probe() = 0;

    virtual QStringList networkNames() const = 0;
    // Opens the named network; an unknown name raises NotFound.
    virtual LnsRef<LnsNetwork> openNetwork(const QString &name, bool remote) = 0;
    virtual void closeNetwork(const LnsRef<LnsNetwork> &network) = 0;

Q_SIGNALS:
    // A monitored NV delivered a value; tag is the NV's monitor tag.
    void nvUpdateOccurred(int tag, const QString &value);
    // A monitored NV's device did not answer.
    void nvCommunicationFailed(int tag);
    // Any other event of the object server (network changes by other clients).
    void systemEvent(int eventCode, const QString &text);
};
