#pragma once

#include <QString>

// Folder helpers.
class PathUtility
{
public:
    // folder with one trailing separator ("/" unless it already ends with "/"
    // or "\"); an empty folder stays empty.
    static QString withTrailingSeparator(const QString &folder);
    // The folder of the program's data files, with its trailing separator:
    // dataFolderOf the executable's folder.
    static QString programFolder();
    // The executable's folder when the data files lie beside it (the build
    // tree, or a program folder copied whole); else the installed data folder
    // (<executable folder>/../share/tarvinaRX24) when it exists; else the
    // executable's folder, so that a message names where the files are missing.
    static QString dataFolderOf(const QString &executableFolder);
    // True when the data files come from the installed data folder, which
    // belongs to the package and takes no files of the program's own.
    static bool runsInstalled();
};
