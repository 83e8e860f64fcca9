#pragma once

#include "platform/netdb/DeviceInterface.h"

#include <QStringList>

// Reader of a device interface file (*.xif): the program id, LonMark objects,
// NVs and CPs of one kind of device. Every error names the file and the line.
class DeviceInterfaceFile
{
public:
    static DeviceInterface parse(const QString &path);
    // The same from the file's bytes; path only names the source in errors.
    static DeviceInterface parseBytes(const QByteArray &bytes, const QString &path);
    // The same from text already read; path only names the source in errors.
    static DeviceInterface parseText(const QString &text, const QString &path);
};
