#pragma once

#include <QList>
#include <QString>

// One kind of device as the network database creates it, read from a device
// interface file. Objects are already expanded (an Object line with count=n
// gives n entries).
struct DeviceCpEntry
{
    QString name;
    int elementLength = 1;
    int dimension = 1;
    QList<int> bytes; // elementLength * dimension bytes
    QString nvName;   // CP of this NV of the object; empty: CP of the object itself
};

struct DeviceNvEntry
{
    QString name;
    int typeId = 0;
    QList<int> allowedTypeIds;
    QString value;
};

struct DeviceObjectEntry
{
    QString name;
    int profileKey = 0;
    QList<DeviceNvEntry> nvs;
    QList<DeviceCpEntry> cps;
};

struct DeviceInterface
{
    QString programId; // 16 hex digits, upper case
    QString model;
    QList<DeviceCpEntry> deviceCps;
    QList<DeviceObjectEntry> objects;
};
