#pragma once

#include <QString>

// The program's version and the fixed names under which the plug-in is known
// to directors, the settings store and the session bus.
namespace AppVersion {
constexpr int Major = 2;
constexpr int Minor = 0;
constexpr int Revision = 0;

// Product name shown in titles and messages.
inline QString ProductName()
{
    return QStringLiteral("tarvina RX24");
}
// Project and class of the automation server; together they form the ProgID.
inline QString ProjectName()
{
    return QStringLiteral("veltoTarvinaRX24");
}
inline QString ClassName()
{
    return QStringLiteral("Application");
}
inline QString ProgId()
{
    return ProjectName() + QLatin1Char('.') + ClassName();
}
// LNS manufacturer identifier of velto and the plug-in interface version.
inline QString ManufacturerId()
{
    return QStringLiteral("0005E");
}
inline QString LcaVersion()
{
    return QStringLiteral("2.00");
}

// Major and minor, each formatted "#0" and joined by "." (2.0, 10.0).
inline QString versionText(int major = Major, int minor = Minor)
{
    return QString::number(major) + QLatin1Char('.') + QString::number(minor);
}
// Major, minor and revision without leading zeros (2.0.15), as the About dialog shows it.
inline QString fullVersionText(int major = Major, int minor = Minor, int revision = Revision)
{
    return versionText(major, minor) + QLatin1Char('.') + QString::number(revision);
}
} // namespace AppVersion
