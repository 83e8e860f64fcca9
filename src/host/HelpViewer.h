#pragma once

#include <QString>

// Shows the HTML manual in the program's help window. Topic -1 is the
// manual's start; other topics are context numbers that name an anchor.
class HelpViewer
{
public:
    virtual ~HelpViewer() = default;
    // False when no help window could be opened for the file.
    virtual bool show(const QString &path, int topic) = 0;
};
