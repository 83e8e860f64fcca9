#pragma once

#include <QString>
#include <QStringList>

// Starts a program in a session of its own and does not wait for it. Unlike
// a double fork of the whole program, the new process shares the caller's
// memory until it replaces itself with the program, so the start costs the
// caller no copy of its page tables and only the moment until the program
// runs. The process is not reaped: the caller ends soon after.
class DetachedStart
{
public:
    // True when the program runs.
    static bool start(const QString &program, const QStringList &arguments);
};
