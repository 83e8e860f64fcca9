#pragma once

#include <QtGlobal>

// When the files read through a cache (the device template, the plug-in
// description file) are compared with the disk: once per operation. Opening
// a device, a write, a copy, a user's action in the window each begin with
// operationBegins(); a cached file is compared at its first read after that
// and read again only when it changed. So an operation sees one version of
// each file, and an edit made while the program runs shows at the next
// operation, without a look at the disk for every query.
class FileCheckPoint
{
public:
    static void operationBegins();
    // Counts the operations begun; a file last compared in an earlier one is
    // compared again.
    static quint64 current();
};
