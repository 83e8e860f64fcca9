#pragma once

#include <QString>

// Start and end of the plug-in's life: the service components, the log, the
// language, the command table, the description file and the object server
// come up in InitApp and go again in EndApp.
class LcaPlugIn
{
public:
    static void InitApp();
    // Never stops half-way: a failing step is logged and the next one runs.
    static void EndApp();

    // The language of the product line (shared settings key), default English.
    static int ReadLanguage();
    // The REG option's language: the product's own key only.
    static void WriteLanguage(int languageOffset);
    // Entry 1 configures the controller; entries 2 to 4 stay empty.
    static void FillCommandTable();

    static QString ProductKey();
    static QString LanguageKey() { return QStringLiteral("SOFTWARE\\velto\\koradesk Register\\Options"); }
    static QString PlugInIniFileName() { return QStringLiteral("tarvinaRX24.ini"); }
    static QString LogFileName() { return QStringLiteral("tarvinaRX24.LOG"); }
    static QString HelpSection() { return QStringLiteral("velto tarvinaRX24 Help 1.0"); }

private:
    static void createObjectServer();
};
