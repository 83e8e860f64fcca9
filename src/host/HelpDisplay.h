#pragma once

#include <QString>

// Shows a topic of the HTML manual through the program's help window
// (PlugInGlobals::Help) and tells the user when that is not possible.
class HelpDisplay
{
public:
    // topic -1: the manual's start. Returns whether the help window opened.
    // Without a help window: message 1426; with a missing file or a window
    // that did not open: message 1425 naming the file. Both critical.
    static bool ShowHelp(const QString &helpFilePath, int topic);

    // The manual of a language: the language's folder ("en", or "de" for the
    // German offset 1000) inserted before the file name, so that
    // "<dir>/help/index.html" becomes "<dir>/help/de/index.html".
    static QString ManualForLanguage(const QString &helpFilePath, int languageOffset);
};
