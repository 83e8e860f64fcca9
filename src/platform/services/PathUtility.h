#pragma once

#include <QString>

// Folder helpers.
class PathUtility
{
public:
    // folder with one trailing separator ("/" unless it already ends with "/"
    // or "\"); an empty folder stays empty.
    static QString withTrailingSeparator(const QString &folder);
    // The executable's folder, with its trailing separator; the data files lie there.
    static QString programFolder();
};
