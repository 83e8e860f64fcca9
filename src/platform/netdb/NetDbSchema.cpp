#include "platform/netdb/NetDbSchema.h"

#include "platform/netdb/NetDbEngine.h"
#include "platform/netdb/NetDbFailure.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace {
[[noreturn]] void unusable(const QString &path, const QSqlError &error)
{
    NetDbFailure::unusable(NetDbFailure::fault(path, error));
}

[[noreturn]] void unusable(const QString &path, DatabaseFault::Kind kind, const QStringList &arguments = {})
{
    NetDbFailure::unusable(NetDbFailure::fault(path, kind, arguments));
}

const char *const kTables[] = {
    "CREATE TABLE schema_version (version INTEGER NOT NULL)",
    "CREATE TABLE networks (id INTEGER PRIMARY KEY, name VARCHAR(255) NOT NULL UNIQUE, "
    "system_name VARCHAR(255) NOT NULL)",
    "CREATE TABLE subsystems (id INTEGER PRIMARY KEY, network_id INTEGER NOT NULL REFERENCES networks(id), "
    "parent_id INTEGER REFERENCES subsystems(id), name VARCHAR(255) NOT NULL)",
    "CREATE TABLE devices (id INTEGER PRIMARY KEY, subsystem_id INTEGER NOT NULL REFERENCES subsystems(id), "
    "name VARCHAR(255) NOT NULL, program_id VARCHAR(16) NOT NULL, model VARCHAR(255) NOT NULL, "
    "reachable INTEGER NOT NULL)",
    "CREATE TABLE lonmark_objects (id INTEGER PRIMARY KEY, device_id INTEGER NOT NULL REFERENCES "
    "devices(id), "
    "position INTEGER NOT NULL, name VARCHAR(255) NOT NULL, profile_key INTEGER NOT NULL)",
    "CREATE TABLE nvs (id INTEGER PRIMARY KEY, object_id INTEGER NOT NULL REFERENCES lonmark_objects(id), "
    "position INTEGER NOT NULL, name VARCHAR(255) NOT NULL, type_id INTEGER NOT NULL, "
    "allowed_types VARCHAR(1000) NOT NULL, value VARCHAR(1000) NOT NULL)",
    "CREATE TABLE cps (id INTEGER PRIMARY KEY, device_id INTEGER REFERENCES devices(id), "
    "object_id INTEGER REFERENCES lonmark_objects(id), nv_id INTEGER REFERENCES nvs(id), "
    "position INTEGER NOT NULL, name VARCHAR(255) NOT NULL, element_length INTEGER NOT NULL, "
    "dimension INTEGER NOT NULL, bytes VARCHAR(8000) NOT NULL)",
    "CREATE TABLE plugin_registrations (id INTEGER PRIMARY KEY, network_id INTEGER NOT NULL "
    "REFERENCES networks(id), program_id VARCHAR(16) NOT NULL, object_type INTEGER NOT NULL, "
    "name VARCHAR(255) NOT NULL, command_id INTEGER NOT NULL, class_id INTEGER NOT NULL, "
    "description VARCHAR(1000) NOT NULL, project_name VARCHAR(255) NOT NULL, "
    "class_name VARCHAR(255) NOT NULL, version VARCHAR(64) NOT NULL, manufacturer_id VARCHAR(64) NOT NULL)",
};

// The write history; a file of an earlier version gets these tables when a
// client that may write opens it.
struct Table
{
    const char *name;
    const char *statement;
};
const Table kHistoryTables[] = {
    // The digest only finds candidates: two clients of a server may store one
    // set side by side without waiting for each other.
    {"config_sets", "CREATE TABLE IF NOT EXISTS config_sets (id INTEGER PRIMARY KEY, digest VARCHAR(64) NOT "
                    "NULL, content TEXT NOT NULL)"},
    {"config_history",
     "CREATE TABLE IF NOT EXISTS config_history (id INTEGER PRIMARY KEY, device_id INTEGER NOT NULL "
     "REFERENCES devices(id), number INTEGER NOT NULL, written_at VARCHAR(32) NOT NULL, user_name "
     "VARCHAR(255) NOT NULL, host_name VARCHAR(255) NOT NULL, program VARCHAR(255) NOT NULL, summary "
     "VARCHAR(1000) NOT NULL, before_set INTEGER NOT NULL REFERENCES config_sets(id), after_set INTEGER NOT "
     "NULL REFERENCES config_sets(id))"},
};

// Every lookup that opening a network, subsystem, device or object makes
// goes through one of these, so its cost does not grow with the network. A
// CP row has one owner: each CP index holds only the rows of its kind.
struct Index
{
    const char *name;
    const char *statement;
};
const Index kIndexes[] = {
    {"subsystems_level",
     "CREATE INDEX IF NOT EXISTS subsystems_level ON subsystems (network_id, parent_id, name)"},
    {"subsystems_child", "CREATE INDEX IF NOT EXISTS subsystems_child ON subsystems (parent_id, name)"},
    {"devices_by_name", "CREATE INDEX IF NOT EXISTS devices_by_name ON devices (subsystem_id, name)"},
    {"objects_in_order",
     "CREATE INDEX IF NOT EXISTS objects_in_order ON lonmark_objects (device_id, position)"},
    {"nvs_in_order", "CREATE INDEX IF NOT EXISTS nvs_in_order ON nvs (object_id, position)"},
    {"cps_of_device",
     "CREATE INDEX IF NOT EXISTS cps_of_device ON cps (device_id, position) WHERE device_id IS NOT NULL"},
    {"cps_of_object",
     "CREATE INDEX IF NOT EXISTS cps_of_object ON cps (object_id, position) WHERE object_id IS NOT NULL"},
    {"cps_of_nv", "CREATE INDEX IF NOT EXISTS cps_of_nv ON cps (nv_id, position) WHERE nv_id IS NOT NULL"},
    // The slots of every device of a network for a project overview, read
    // from the index alone: the CP rows themselves lie spread over the file.
    {"cps_device_modules", "CREATE INDEX IF NOT EXISTS cps_device_modules ON cps (name, device_id, bytes) "
                           "WHERE name = 'DeviceModules'"},
    {"sets_by_digest", "CREATE INDEX IF NOT EXISTS sets_by_digest ON config_sets (digest)"},
    {"history_of_device",
     "CREATE UNIQUE INDEX IF NOT EXISTS history_of_device ON config_history (device_id, number)"},
    {"registrations_of_network",
     "CREATE INDEX IF NOT EXISTS registrations_of_network ON plugin_registrations (network_id)"},
};

// Creates the tables under the engine's creation lock; false when another
// client created them while this one waited for the lock.
bool createIfEmpty(QSqlDatabase &db, NetDbEngine &engine)
{
    const QString path = engine.shownLocation();
    QSqlQuery query(db);
    auto fail = [&](const QSqlError &error) {
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        unusable(path, error);
    };
    for (const QString &statement : engine.beginCreateStatements()) {
        if (!query.exec(statement))
            fail(query.lastError());
    }
    if (engine.catalogueSize(db) != 0) {
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    QStringList statements;
    for (const char *statement : kTables)
        statements.append(QLatin1String(statement));
    for (const Table &table : kHistoryTables)
        statements.append(QLatin1String(table.statement));
    for (const Index &index : kIndexes)
        statements.append(QLatin1String(index.statement));
    statements += engine.extraSchema();
    for (const QString &statement : std::as_const(statements)) {
        if (!query.exec(statement))
            fail(query.lastError());
    }
    query.prepare(QStringLiteral("INSERT INTO schema_version (version) VALUES (?)"));
    query.addBindValue(NetDbSchema::Version);
    if (!query.exec())
        fail(query.lastError());
    if (!query.exec(QStringLiteral("COMMIT")))
        fail(query.lastError());
    return true;
}
} // namespace

void NetDbSchema::addMissingParts(QSqlDatabase &db, NetDbEngine &engine)
{
    // Databases of earlier versions lack some; one that cannot take them now
    // (locked, read-only, no right to create) still works, only slower and
    // without a history.
    const QStringList present = engine.catalogue(db);
    QSqlQuery query(db);
    for (const Table &table : kHistoryTables) {
        if (!present.contains(QLatin1String(table.name)))
            query.exec(QLatin1String(table.statement));
    }
    for (const Index &index : kIndexes) {
        if (!present.contains(QLatin1String(index.name)))
            query.exec(QLatin1String(index.statement));
    }
    for (const QString &statement : engine.extraSchema())
        query.exec(statement);
}

void NetDbSchema::prepare(QSqlDatabase &db, NetDbEngine &engine, bool mayCreate)
{
    const QString path = engine.shownLocation();
    if (engine.catalogueSize(db) == 0) {
        if (!mayCreate)
            unusable(path, DatabaseFault::Empty);
        if (createIfEmpty(db, engine))
            return;
    }
    if (!engine.catalogue(db).contains(QStringLiteral("schema_version")))
        unusable(path, DatabaseFault::NoSchemaVersion);
    QSqlQuery version(db);
    if (!version.exec(QStringLiteral("SELECT max(version) FROM schema_version")) || !version.next())
        unusable(path, version.lastError());
    const int found = version.value(0).toInt();
    if (found > Version)
        unusable(path, DatabaseFault::NewerSchema, {QString::number(found), QString::number(Version)});
    if (found < 1)
        unusable(path, DatabaseFault::SchemaVersionMissing);
}

QStringList NetDbSchema::historyStatements()
{
    QStringList statements;
    for (const Table &table : kHistoryTables)
        statements.append(QLatin1String(table.statement));
    for (const Index &index : kIndexes) {
        if (QLatin1String(index.statement).contains(QLatin1String(" ON config_")))
            statements.append(QLatin1String(index.statement));
    }
    return statements;
}
