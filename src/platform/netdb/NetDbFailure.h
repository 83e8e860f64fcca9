#pragma once

#include "platform/DatabaseFault.h"

#include <QSqlError>
#include <QString>

// Turns a failure of the database file into words for the user: what is
// wrong with the file (locked, read-only, not a database, damaged ...), so
// that a message names the cause and not only the step that failed. The
// errors raised carry the cause as a DatabaseFault for messages in other
// languages.
class NetDbFailure
{
public:
    // The cause of a failed statement or open of the file at path.
    static DatabaseFault fault(const QString &path, const QSqlError &error);
    static DatabaseFault fault(const QString &path, DatabaseFault::Kind kind,
                               const QStringList &arguments = {});
    // The cause in English: "it is locked by another program (database is locked)" and the like.
    static QString describe(const DatabaseFault &fault);
    static QString cause(const QSqlError &error) { return describe(fault(QString(), error)); }
    // Another client holds a lock on the file.
    static bool isBusy(const QSqlError &error);
    static bool isReadOnly(const QSqlError &error);
    // DatabaseUnusable: "The network database "path" cannot be used: why."
    [[noreturn]] static void unusable(const DatabaseFault &fault);
};
