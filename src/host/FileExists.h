#pragma once

#include <QString>

// True when path names a file that can be opened for reading.
bool FileExists(const QString &path);
