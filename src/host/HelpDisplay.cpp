#include "host/HelpDisplay.h"

#include "host/AppVersion.h"
#include "host/FileExists.h"
#include "host/HelpViewer.h"
#include "host/PlugInGlobals.h"
#include "host/ResourceStrings.h"
#include "platform/services/MessageBox.h"

bool HelpDisplay::ShowHelp(const QString &helpFilePath, int topic)
{
    if (!PlugInGlobals::Help) {
        MessageBox::show(ResourceStrings::LoadResString(1426), AppVersion::ProductName(),
                         MessageBox::Icon::Critical);
        return false;
    }
    if (FileExists(helpFilePath) && PlugInGlobals::Help->show(helpFilePath, topic))
        return true;
    MessageBox::show(ResourceStrings::LoadResString(1425, 1, {helpFilePath}), AppVersion::ProductName(),
                     MessageBox::Icon::Critical);
    return false;
}

QString HelpDisplay::ManualForLanguage(const QString &helpFilePath, int languageOffset)
{
    if (helpFilePath.isEmpty())
        return helpFilePath;
    const QString language =
        languageOffset == ResourceStrings::German ? QStringLiteral("de") : QStringLiteral("en");
    const qsizetype cut = helpFilePath.lastIndexOf(QLatin1Char('/'));
    return helpFilePath.left(cut + 1) + language + QLatin1Char('/') + helpFilePath.mid(cut + 1);
}
