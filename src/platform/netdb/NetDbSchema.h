#pragma once

#include <QSqlDatabase>
#include <QStringList>

class NetDbEngine;

// The tables of the network database and their version. A file whose version
// is newer than this program's, or that is not a network database at all, is
// refused and left untouched.
class NetDbSchema
{
public:
    static constexpr int Version = 1;

    // Checks an open connection; creates the tables in an empty file when
    // mayCreate is set, else refuses the empty file.
    static void prepare(QSqlDatabase &db, NetDbEngine &engine, bool mayCreate);
    // The history tables and lookup indexes a file of an earlier version
    // lacks; for connections that may write.
    static void addMissingParts(QSqlDatabase &db, NetDbEngine &engine);
    // The statements that create the history's tables and index where they
    // are missing, for a client that finds them missing when it writes.
    static QStringList historyStatements();
};
