#pragma once

#include <QString>

// One entry of the plug-in's command table: what a director may send and what
// is registered in an LNS project for it.
struct PlugInCommand
{
    bool Enabled = false;
    qint32 CommandId = 0;
    qint16 ClassId = 0;
    qint16 ObjectType = 0;
    QString Name;
    QString Description;
};
