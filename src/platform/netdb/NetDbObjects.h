#pragma once

#include "platform/lns/LnsNetwork.h"

#include <memory>

class NetDbSession;
using NetDbSessionRef = std::shared_ptr<NetDbSession>;

// Makes the handles and collections of the network database's objects from
// their row ids. Handles are light: ids and the shared session; every get
// reads the database again.
class NetDbObjects
{
public:
    static LnsRef<LnsNetwork> network(const NetDbSessionRef &session, qint64 networkId);
    static LnsRef<LnsSystem> system(const NetDbSessionRef &session, qint64 networkId);
    static LnsRef<LnsSubsystem> subsystem(const NetDbSessionRef &session, qint64 subsystemId);
    static LnsRef<LnsAppDevice> device(const NetDbSessionRef &session, qint64 deviceId);
    static LnsRef<LnsLonMarkObject> lonMarkObject(const NetDbSessionRef &session, qint64 objectId);
    static LnsRef<LnsNetworkVariable> networkVariable(const NetDbSessionRef &session, qint64 nvId);
    static LnsRef<LnsConfigProperty> configProperty(const NetDbSessionRef &session, qint64 cpId);

    static LnsCollectionRef<LnsSubsystem> subsystemsOfSystem(const NetDbSessionRef &session,
                                                             qint64 networkId);
    static LnsCollectionRef<LnsSubsystem> subsystemsOfSubsystem(const NetDbSessionRef &session,
                                                                qint64 subsystemId);
    static LnsCollectionRef<LnsAppDevice> devicesOfSubsystem(const NetDbSessionRef &session,
                                                             qint64 subsystemId);
    static LnsCollectionRef<LnsLonMarkObject> objectsOfDevice(const NetDbSessionRef &session,
                                                              qint64 deviceId);
    static LnsCollectionRef<LnsNetworkVariable> nvsOfDevice(const NetDbSessionRef &session, qint64 deviceId);
    static LnsCollectionRef<LnsNetworkVariable> nvsOfObject(const NetDbSessionRef &session, qint64 objectId);
    static LnsCollectionRef<LnsConfigProperty> cpsOfDevice(const NetDbSessionRef &session, qint64 deviceId);
    static LnsCollectionRef<LnsConfigProperty> cpsOfObject(const NetDbSessionRef &session, qint64 objectId);
    static LnsCollectionRef<LnsConfigProperty> cpsOfNv(const NetDbSessionRef &session, qint64 nvId);
};
