#pragma once

#include <QString>

// What the operating system keeps about the plug-in's automation server: the
// record a director's installation reads to find and describe the plug-in.
struct RegistrationRecord
{
    QString projectName;
    QString className;
    QString description;
    QString version;
    QString manufacturer;
    QString productLine;
    QString objectType;
    QString programVersion;

    QString progId() const { return projectName + QLatin1Char('.') + className; }
    bool operator==(const RegistrationRecord &) const = default;
};
