#pragma once

#include <QSqlError>
#include <QString>

// Turns a failure of the database file into words for the user: what is
// wrong with the file (locked, read-only, not a database, damaged ...), so
// that a message names the cause and not only the step that failed.
class NetDbFailure
{
public:
    // "it is locked by another program (database is locked)" and the like.
    static QString cause(const QSqlError &error);
    // Another client holds a lock on the file.
    static bool isBusy(const QSqlError &error);
    static bool isReadOnly(const QSqlError &error);
    // DatabaseUnusable: "The network database "path" cannot be used: why."
    [[noreturn]] static void unusable(const QString &path, const QString &why);
};
