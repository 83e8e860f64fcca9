#include "platform/netdb/NetDbSession.h"

#include "platform/lns/LnsError.h"
#include "platform/netdb/CpValueText.h"
#include "platform/netdb/NetDbEngine.h"
#include "platform/netdb/NetDbFailure.h"
#include "platform/netdb/NetDbSchema.h"
#include "platform/netdb/NvPoller.h"

#include <QAtomicInt>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>

namespace {
QString nextConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("rx24-netdb-%1").arg(counter.fetchAndAddRelaxed(1));
}

// More results than this and the kept ones are dropped, so that walking a
// large network does not grow the client without bound.
constexpr qsizetype kMaxKeptResults = 20000;

void bindAll(QSqlQuery &query, const QVariantList &binds)
{
    // A null QString binds as SQL NULL; the tables keep texts as "" instead.
    // Flags are kept as numbers, which a server does not take a truth value for.
    for (int i = 0; i < binds.size(); ++i) {
        const QVariant &value = binds.at(i);
        if (value.metaType() == QMetaType::fromType<QString>() && value.toString().isNull())
            query.bindValue(i, QStringLiteral(""));
        else if (value.metaType() == QMetaType::fromType<bool>())
            query.bindValue(i, value.toBool() ? 1 : 0);
        else
            query.bindValue(i, value);
    }
}

QString resultKey(const QString &sql, const QVariantList &binds)
{
    QString key = sql;
    for (const QVariant &value : binds) {
        const QString text = value.toString();
        key += QLatin1Char('\x1f') + QString::number(value.typeId()) + QLatin1Char(':') +
               QString::number(text.size()) + QLatin1Char(':') + text;
    }
    return key;
}

// The CP row from id, name, element_length, dimension, bytes, starting at `first`.
NetDbCpRow cpRowOf(const QVariantList &values, qsizetype first = 0)
{
    NetDbCpRow row;
    row.id = values.at(first).toLongLong();
    row.name = values.at(first + 1).toString();
    row.elementLength = values.at(first + 2).toInt();
    row.dimension = values.at(first + 3).toInt();
    row.bytes = CpValueText::fromStored(values.at(first + 4).toString());
    row.bytes.resize(row.elementLength * row.dimension);
    return row;
}

const char *ownerColumn(NetDbCpOwner owner)
{
    switch (owner) {
    case NetDbCpOwner::Device:
        return "device_id";
    case NetDbCpOwner::Object:
        return "object_id";
    case NetDbCpOwner::Nv:
        break;
    }
    return "nv_id";
}
} // namespace

NetDbSession::NetDbSession(QString path, LnsObjectServer *server, NetDbOpenMode mode)
    : m_path(std::move(path)), m_mode(mode), m_connectionName(nextConnectionName()), m_server(server),
      m_poller(std::make_unique<NvPoller>(*this))
{
}

NetDbSession::~NetDbSession()
{
    close();
}

QSqlDatabase NetDbSession::database() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

void NetDbSession::setLocation(const QString &location)
{
    if (m_open || location == m_path)
        return;
    m_path = location;
    m_engine.reset();
}

QString NetDbSession::shownLocation() const
{
    return m_engine ? m_engine->shownLocation() : NetDbEngine::forLocation(m_path)->shownLocation();
}

bool NetDbSession::isServer() const
{
    return m_engine ? m_engine->isServer() : NetDbEngine::forLocation(m_path)->isServer();
}

void NetDbSession::open()
{
    if (m_open)
        return;
    if (!m_engine)
        m_engine = NetDbEngine::forLocation(m_path);
    {
        QSqlDatabase db = m_engine->open(m_connectionName, m_mode);
        try {
            NetDbSchema::prepare(db, *m_engine, m_mode == NetDbOpenMode::Create);
            if (m_mode != NetDbOpenMode::ReadOnly)
                NetDbSchema::addMissingParts(db, *m_engine);
            m_engine->attach(db, m_mode);
        } catch (...) {
            m_engine->detach();
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_connectionName);
            throw;
        }
    }
    // Another client's commit announced while nobody reads: monitored values
    // are read again now rather than at the next tick.
    m_engine->setOtherWriteHandler([this] {
        if (m_inTransaction)
            return;
        dropCaches();
        m_poller->pollAll();
    });
    m_open = true;
}

void NetDbSession::close()
{
    if (!m_open)
        return;
    m_poller->stopAll();
    for (NvMonitorState &state : m_monitors)
        state.active = false;
    openMonitorSets.clear();
    if (m_inTransaction) {
        QSqlQuery(database()).exec(QStringLiteral("ROLLBACK"));
        m_inTransaction = false;
    }
    m_pendingCps.clear();
    m_pendingIndex.clear();
    deviceWritePrepared = false;
    dropCaches();
    m_statements.clear();
    m_engine->setOtherWriteHandler({});
    m_engine->detach();
    {
        QSqlDatabase db = database();
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
    m_open = false;
}

void NetDbSession::requireOpen() const
{
    if (!m_open)
        throw LnsError(LnsErrorCode::NotConnected,
                       QStringLiteral("The object server is not connected to the network database \"%1\".")
                           .arg(shownLocation()));
}

void NetDbSession::raise(const QSqlError &error, const QString &what) const
{
    const QString location = m_engine->shownLocation();
    if (m_engine->isBusy(error))
        throw LnsError(
            LnsErrorCode::Busy,
            QStringLiteral("The network database \"%1\" is busy: another client holds a transaction "
                           "(%2 gave up after %3 ms).")
                .arg(location, what, QString::number(m_engine->busyTimeoutMs())),
            NetDbFailure::fault(location, DatabaseFault::Busy));
    const DatabaseFault fault = m_engine->fault(error);
    throw LnsError(LnsErrorCode::Database,
                   QStringLiteral("The network database \"%1\" failed (%2): %3.")
                       .arg(location, what, NetDbFailure::describe(fault)),
                   fault);
}

QSqlQuery &NetDbSession::statement(const QString &sql) const
{
    auto it = m_statements.find(sql);
    if (it == m_statements.end()) {
        auto query = std::make_shared<QSqlQuery>(database());
        query->setForwardOnly(true);
        if (!query->prepare(sql))
            raise(query->lastError(), QStringLiteral("preparing a statement"));
        it = m_statements.insert(sql, query);
    }
    return *it.value();
}

void NetDbSession::refresh() const
{
    // Inside this client's transaction nobody else commits to a file; on a
    // server others go on committing to the rows this client does not hold.
    if ((!m_inTransaction || m_engine->isServer()) && m_engine->otherConnectionWrote())
        dropCaches();
}

void NetDbSession::dropCaches() const
{
    dropResults();
    m_cps.clear();
}

void NetDbSession::dropResults() const
{
    m_results.clear();
    m_nvs.clear();
    m_nvsOfObject.clear();
    ++m_generation;
}

quint64 NetDbSession::readGeneration() const
{
    requireOpen();
    refresh();
    return m_generation;
}

QList<QVariantList> NetDbSession::select(const QString &sql, const QVariantList &binds) const
{
    requireOpen();
    refresh();
    const QString key = resultKey(sql, binds);
    const auto kept = m_results.constFind(key);
    if (kept != m_results.constEnd())
        return kept.value();
    QList<QVariantList> rows = selectFresh(sql, binds);
    if (m_results.size() >= kMaxKeptResults)
        m_results.clear();
    m_results.insert(key, rows);
    return rows;
}

QList<QVariantList> NetDbSession::selectFresh(const QString &sql, const QVariantList &binds) const
{
    requireOpen();
    flushCpBytes();
    return run(sql, binds, QStringLiteral("reading"));
}

QList<QVariantList> NetDbSession::run(const QString &sql, const QVariantList &binds,
                                      const QString &what) const
{
    QList<QVariantList> rows;
    QSqlError error;
    if (!tryRun(sql, binds, rows, error))
        raise(error, what);
    return rows;
}

bool NetDbSession::tryRun(const QString &sql, const QVariantList &binds, QList<QVariantList> &rows,
                          QSqlError &error) const
{
    QSqlDatabase db = database();
    if (m_engine->run(db, sql, binds, rows, error))
        return !error.isValid();
    QSqlQuery &query = statement(sql);
    bindAll(query, binds);
    if (!query.exec()) {
        error = query.lastError();
        query.finish();
        return false;
    }
    const int columns = query.record().count();
    while (query.next()) {
        QVariantList row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c)
            row.append(query.value(c));
        rows.append(row);
    }
    query.finish(); // ends the read, so that later reads see other clients' commits
    return true;
}

QList<NetDbCpRow> NetDbSession::cpRows(NetDbCpOwner owner, qint64 ownerId) const
{
    requireOpen();
    refresh();
    if (const QList<NetDbCpRow> *kept = m_cps.rowsOf(owner, ownerId))
        return *kept;
    if (owner == NetDbCpOwner::Object && readDeviceOfObject(ownerId)) {
        if (const QList<NetDbCpRow> *read = m_cps.rowsOf(owner, ownerId))
            return *read;
    }
    QList<NetDbCpRow> rows;
    for (const QVariantList &values :
         selectFresh(QStringLiteral("SELECT id, name, element_length, dimension, "
                                    "bytes FROM cps WHERE %1 = ? ORDER BY position")
                         .arg(QLatin1String(ownerColumn(owner))),
                     {ownerId}))
        rows.append(cpRowOf(values));
    return m_cps.store(owner, ownerId, std::move(rows));
}

NetDbCpRow NetDbSession::cpRow(qint64 cpId) const
{
    requireOpen();
    refresh();
    if (const NetDbCpRow *kept = m_cps.row(cpId))
        return *kept;
    const QVariantList owner =
        selectRow(QStringLiteral("SELECT device_id, object_id, nv_id FROM cps WHERE id = ?"), {cpId},
                  QStringLiteral("The configuration property no longer exists."));
    if (!owner.at(2).isNull())
        cpRows(NetDbCpOwner::Nv, owner.at(2).toLongLong());
    else if (!owner.at(1).isNull())
        cpRows(NetDbCpOwner::Object, owner.at(1).toLongLong());
    else
        cpRows(NetDbCpOwner::Device, owner.at(0).toLongLong());
    if (const NetDbCpRow *loaded = m_cps.row(cpId))
        return *loaded;
    throw LnsError(LnsErrorCode::NotFound, QStringLiteral("The configuration property no longer exists."));
}

void NetDbSession::storeCpBytes(qint64 cpId, const QList<int> &bytes)
{
    // A whole set is written back with most CPs as they were: the same bytes
    // again change nothing and cost no statement.
    refresh();
    if (const NetDbCpRow *kept = m_cps.row(cpId); kept && kept->bytes == bytes)
        return;
    if (!m_inTransaction) {
        exec(QStringLiteral("UPDATE cps SET bytes = ? WHERE id = ?"), {CpValueText::toStored(bytes), cpId},
             NetDbWriteScope::CpBytesOnly);
    } else if (const auto at = m_pendingIndex.constFind(cpId); at != m_pendingIndex.constEnd()) {
        m_pendingCps[*at].second = CpValueText::toStored(bytes);
    } else {
        m_pendingIndex.insert(cpId, m_pendingCps.size());
        m_pendingCps.append({cpId, CpValueText::toStored(bytes)});
    }
    m_cps.setBytes(cpId, bytes);
}

void NetDbSession::flushCpBytes() const
{
    if (m_pendingCps.isEmpty())
        return;
    const auto pending = std::exchange(m_pendingCps, {});
    m_pendingIndex.clear();
    // One statement per batch: CASE picks each CP's bytes by its id.
    constexpr qsizetype kBatch = 64;
    for (qsizetype first = 0; first < pending.size(); first += kBatch) {
        const qsizetype count = std::min(kBatch, pending.size() - first);
        QString cases;
        QStringList marks;
        QVariantList binds;
        for (qsizetype i = first; i < first + count; ++i) {
            cases += QStringLiteral(" WHEN ? THEN ?");
            binds << pending.at(i).first << pending.at(i).second;
        }
        for (qsizetype i = first; i < first + count; ++i) {
            marks << QStringLiteral("?");
            binds << pending.at(i).first;
        }
        QList<QVariantList> none;
        QSqlError error;
        if (!tryRun(QStringLiteral("UPDATE cps SET bytes = CASE id%1 END WHERE id IN (%2)")
                        .arg(cases, marks.join(QStringLiteral(", "))),
                    binds, none, error)) {
            dropCaches(); // the bytes kept as written never reached the database
            raise(error, QStringLiteral("writing"));
        }
    }
    QSqlDatabase db = database();
    m_engine->wrote(db, m_inTransaction);
}

namespace {
const QString kNvColumns = QStringLiteral("SELECT id, name, type_id, allowed_types, value FROM nvs ");

// The NV row from id, name, type_id, allowed_types, value, starting at `first`.
NetDbNvRow nvRowOf(const QVariantList &values, qsizetype first = 0)
{
    NetDbNvRow row;
    row.id = values.at(first).toLongLong();
    row.name = values.at(first + 1).toString();
    row.typeId = values.at(first + 2).toInt();
    for (const QString &piece : values.at(first + 3).toString().split(QLatin1Char(','), Qt::SkipEmptyParts))
        row.allowed.append(piece.toInt());
    row.value = values.at(first + 4).toString();
    return row;
}
} // namespace

QList<NetDbNvRow> NetDbSession::nvRows(qint64 objectId) const
{
    requireOpen();
    refresh();
    QList<NetDbNvRow> rows;
    auto kept = m_nvsOfObject.constFind(objectId);
    if (kept == m_nvsOfObject.constEnd() && readDeviceOfObject(objectId))
        kept = m_nvsOfObject.constFind(objectId);
    if (kept != m_nvsOfObject.constEnd()) {
        for (qint64 id : *kept)
            rows.append(m_nvs.value(id));
        return rows;
    }
    for (const QVariantList &values :
         selectFresh(kNvColumns + QStringLiteral("WHERE object_id = ? ORDER BY position"), {objectId}))
        rows.append(nvRowOf(values));
    if (m_nvs.size() >= kMaxKeptResults) {
        m_nvs.clear();
        m_nvsOfObject.clear();
    }
    QList<qint64> ids;
    for (const NetDbNvRow &row : std::as_const(rows)) {
        m_nvs.insert(row.id, row);
        ids.append(row.id);
    }
    m_nvsOfObject.insert(objectId, ids);
    return rows;
}

NetDbNvRow NetDbSession::nvRow(qint64 nvId) const
{
    requireOpen();
    refresh();
    if (const auto kept = m_nvs.constFind(nvId); kept != m_nvs.constEnd())
        return *kept;
    const QList<QVariantList> found = selectFresh(kNvColumns + QStringLiteral("WHERE id = ?"), {nvId});
    const NetDbNvRow row = found.isEmpty() ? NetDbNvRow() : nvRowOf(found.first());
    if (found.isEmpty())
        throw LnsError(LnsErrorCode::NotFound, QStringLiteral("The network variable no longer exists."));
    if (m_nvs.size() >= kMaxKeptResults) {
        m_nvs.clear();
        m_nvsOfObject.clear();
    }
    m_nvs.insert(nvId, row);
    return row;
}

bool NetDbSession::readDeviceOfObject(qint64 objectId) const
{
    static const QString objectRow =
        QStringLiteral("SELECT name, profile_key, device_id FROM lonmark_objects WHERE id = ?");
    const QList<QVariantList> object = select(objectRow, {objectId});
    if (object.isEmpty())
        return false;
    const QVariant deviceId = object.first().at(2).toLongLong();
    // Kept as each object's own row is read, so that its handle finds it.
    QList<qint64> objects;
    for (const QVariantList &row :
         selectFresh(QStringLiteral("SELECT id, name, profile_key, device_id FROM lonmark_objects WHERE "
                                    "device_id = ? ORDER BY position"),
                     {deviceId})) {
        const qint64 id = row.at(0).toLongLong();
        objects.append(id);
        m_results.insert(resultKey(objectRow, {QVariant(id)}), {row.mid(1)});
    }
    QHash<qint64, QList<NetDbCpRow>> cps;
    for (const QVariantList &row : selectFresh(
             QStringLiteral(
                 "SELECT c.object_id, c.id, c.name, c.element_length, c.dimension, c.bytes FROM cps c "
                 "JOIN lonmark_objects o ON o.id = c.object_id WHERE o.device_id = ? "
                 "ORDER BY c.object_id, c.position"),
             {deviceId})) {
        cps[row.at(0).toLongLong()].append(cpRowOf(row, 1));
    }
    QHash<qint64, QList<qint64>> nvs;
    for (const QVariantList &row : selectFresh(
             QStringLiteral("SELECT n.object_id, n.id, n.name, n.type_id, n.allowed_types, n.value FROM "
                            "nvs n JOIN lonmark_objects o ON o.id = n.object_id WHERE o.device_id = ? "
                            "ORDER BY n.object_id, n.position"),
             {deviceId})) {
        const NetDbNvRow nv = nvRowOf(row, 1);
        m_nvs.insert(nv.id, nv);
        nvs[row.at(0).toLongLong()].append(nv.id);
    }
    for (qint64 id : std::as_const(objects)) {
        if (!m_cps.rowsOf(NetDbCpOwner::Object, id))
            m_cps.store(NetDbCpOwner::Object, id, cps.value(id));
        if (!m_nvsOfObject.contains(id))
            m_nvsOfObject.insert(id, nvs.value(id));
    }
    return objects.contains(objectId);
}

void NetDbSession::storeNvRow(qint64 nvId, int typeId, const QString &value)
{
    const NetDbNvRow current = nvRow(nvId);
    if (typeId == current.typeId)
        exec(QStringLiteral("UPDATE nvs SET value = ? WHERE id = ?"), {value, nvId},
             NetDbWriteScope::NvRowOnly);
    else
        exec(QStringLiteral("UPDATE nvs SET type_id = ?, value = ? WHERE id = ?"), {typeId, value, nvId},
             NetDbWriteScope::NvRowOnly);
    NetDbNvRow updated = current;
    updated.typeId = typeId;
    updated.value = value;
    m_nvs.insert(nvId, updated);
}

QVariantList NetDbSession::selectRow(const QString &sql, const QVariantList &binds,
                                     const QString &missing) const
{
    const QList<QVariantList> rows = select(sql, binds);
    if (rows.isEmpty())
        throw LnsError(LnsErrorCode::NotFound, missing);
    return rows.first();
}

IdNameList NetDbSession::selectIdNames(const QString &sql, const QVariantList &binds) const
{
    IdNameList result;
    for (const QVariantList &row : select(sql, binds))
        result.append({row.at(0).toLongLong(), row.at(1).toString()});
    return result;
}

void NetDbSession::exec(const QString &sql, const QVariantList &binds, NetDbWriteScope scope)
{
    requireOpen();
    refresh();
    flushCpBytes();
    QList<QVariantList> none;
    QSqlError error;
    if (!tryRun(sql, binds, none, error)) {
        dropCaches(); // a failed write may have ended the transaction
        m_nextIds.clear();
        m_setsHeld = false;
        raise(error, QStringLiteral("writing"));
    }
    if (scope == NetDbWriteScope::Anything)
        dropCaches();
    else if (scope == NetDbWriteScope::Values)
        dropResults();
    else if (scope == NetDbWriteScope::NvRowOnly || scope == NetDbWriteScope::History)
        m_results.clear(); // a kept join may hold the NV; lists and CP rows do not
    QSqlDatabase db = database();
    m_engine->wrote(db, m_inTransaction);
}

qint64 NetDbSession::insert(const QString &table, const QStringList &columns, const QVariantList &values,
                            NetDbWriteScope scope)
{
    return insertAll(table, columns, {values}, scope).constFirst();
}

QList<qint64> NetDbSession::insertAll(const QString &table, const QStringList &columns,
                                      const QList<QVariantList> &rows, NetDbWriteScope scope)
{
    QList<qint64> ids;
    if (rows.isEmpty())
        return ids;
    atomically([&] {
        ids = newIds(table, rows.size());
        const QString tuple =
            QLatin1Char('(') +
            QStringList(columns.size() + 1, QStringLiteral("?")).join(QStringLiteral(", ")) +
            QLatin1Char(')');
        qsizetype done = 0;
        while (done < rows.size()) {
            // Statements of 64, 32, ... 1 rows: a few prepared ones serve any count.
            qsizetype count = 64;
            while (count > rows.size() - done)
                count /= 2;
            QVariantList binds;
            binds.reserve(count * (columns.size() + 1));
            for (qsizetype i = done; i < done + count; ++i) {
                binds.append(ids.at(i));
                binds += rows.at(i);
            }
            exec(QStringLiteral("INSERT INTO %1 (id, %2) VALUES %3")
                     .arg(table, columns.join(QStringLiteral(", ")),
                          QStringList(count, tuple).join(QStringLiteral(", "))),
                 binds, scope);
            done += count;
        }
        if (m_engine->nextIdsStatement().isEmpty())
            m_nextIds[table] = ids.constLast() + 1;
    });
    return ids;
}

QList<qint64> NetDbSession::newIds(const QString &table, qsizetype count)
{
    QList<qint64> ids;
    ids.reserve(count);
    if (const QString sequence = m_engine->nextIdsStatement(); !sequence.isEmpty()) {
        for (const QVariantList &row : selectFresh(sequence, {count}))
            ids.append(row.at(0).toLongLong());
        return ids;
    }
    // Inside the transaction nobody else inserts: after the first look at
    // the table the next id is known here.
    auto next = m_nextIds.find(table);
    if (next == m_nextIds.end()) {
        const qint64 first =
            selectRow(QStringLiteral("SELECT COALESCE(MAX(id), 0) + 1 FROM %1").arg(table), {}, table)
                .at(0)
                .toLongLong();
        next = m_nextIds.insert(table, first);
    }
    for (qsizetype i = 0; i < count; ++i)
        ids.append(next.value() + i);
    return ids;
}

void NetDbSession::beginTransaction()
{
    requireOpen();
    if (m_inTransaction)
        throw LnsError(LnsErrorCode::TransactionOpen, QStringLiteral("A transaction is already open."));
    runAll(m_engine->beginStatements(), QStringLiteral("starting a transaction"));
    m_inTransaction = true;
    m_nextIds.clear();
    m_setsHeld = false;
    // Commits of others up to now show.
    if (m_engine->otherConnectionWrote())
        dropCaches();
}

void NetDbSession::commitTransaction()
{
    requireOpen();
    if (!m_inTransaction)
        throw LnsError(LnsErrorCode::NoTransaction, QStringLiteral("There is no transaction to commit."));
    flushCpBytes();
    QSqlDatabase db = database();
    m_engine->beforeCommit(db);
    QSqlQuery query(db);
    m_nextIds.clear();
    m_setsHeld = false;
    if (!query.exec(QStringLiteral("COMMIT"))) {
        dropCaches();
        const QSqlError error = query.lastError();
        // A server keeps a failed transaction open until it is ended.
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        m_inTransaction = false;
        raise(error, QStringLiteral("committing the transaction"));
    }
    m_inTransaction = false;
    m_engine->committed();
}

void NetDbSession::cancelTransaction()
{
    requireOpen();
    if (!m_inTransaction)
        throw LnsError(LnsErrorCode::NoTransaction, QStringLiteral("There is no transaction to cancel."));
    QSqlQuery query(database());
    m_inTransaction = false;
    m_nextIds.clear();
    m_setsHeld = false;
    m_pendingCps.clear();
    m_pendingIndex.clear();
    dropCaches(); // what was read or written inside is gone
    if (!query.exec(QStringLiteral("ROLLBACK")))
        raise(query.lastError(), QStringLiteral("cancelling the transaction"));
}

void NetDbSession::forgetReadRows()
{
    dropCaches();
    // The database's own page cache as well: a walk over a big network
    // would otherwise keep every page it passed.
    if (!m_inTransaction) {
        QSqlDatabase db = database();
        m_engine->shrinkMemory(db);
    }
    m_monitors.removeIf([](const auto &state) { return !state.value().active; });
}

const NvMonitorState *NetDbSession::findMonitorState(qint64 nvId) const
{
    const auto it = m_monitors.constFind(nvId);
    return it == m_monitors.constEnd() ? nullptr : &it.value();
}

void NetDbSession::deactivateMonitoring(qint64 networkId)
{
    for (auto it = m_monitors.begin(); it != m_monitors.end(); ++it) {
        if (it->active && it->networkId == networkId) {
            it->active = false;
            m_poller->stop(it.key());
        }
    }
}

void NetDbSession::atomically(const std::function<void()> &work)
{
    if (m_inTransaction) {
        work();
        return;
    }
    beginTransaction();
    try {
        work();
    } catch (...) {
        cancelTransaction();
        throw;
    }
    commitTransaction();
}

void NetDbSession::readSnapshot(const std::function<void()> &work)
{
    requireOpen();
    if (m_inTransaction) {
        work();
        return;
    }
    runAll(m_engine->beginSnapshotStatements(), QStringLiteral("starting to read"));
    // Held as this client's transaction, so that nothing inside starts another.
    m_inTransaction = true;
    dropCaches();
    try {
        work();
    } catch (...) {
        m_inTransaction = false;
        dropCaches();
        QSqlQuery(database()).exec(QStringLiteral("ROLLBACK"));
        throw;
    }
    m_inTransaction = false;
    QSqlQuery end(database());
    if (!end.exec(QStringLiteral("COMMIT"))) {
        const QSqlError error = end.lastError();
        QSqlQuery(database()).exec(QStringLiteral("ROLLBACK"));
        raise(error, QStringLiteral("ending a read"));
    }
}

void NetDbSession::runAll(const QStringList &statements, const QString &what)
{
    QSqlQuery query(database());
    for (const QString &statement : statements) {
        if (!query.exec(statement)) {
            const QSqlError error = query.lastError();
            if (statement != statements.first())
                QSqlQuery(database()).exec(QStringLiteral("ROLLBACK"));
            raise(error, what);
        }
    }
}

QVariant NetDbSession::freshValue(const QString &sql, const QVariantList &binds)
{
    flushCpBytes();
    return run(sql, binds, QStringLiteral("reading")).value(0).value(0);
}

void NetDbSession::holdSetsInUse()
{
    requireOpen();
    const QString sql = m_engine->setsInUseStatement();
    if (sql.isEmpty() || !m_inTransaction || m_setsHeld)
        return;
    freshValue(sql, {});
    m_setsHeld = true;
}

bool NetDbSession::maySweepSets()
{
    requireOpen();
    const QString sql = m_engine->setsSweepStatement();
    return sql.isEmpty() || !m_inTransaction || freshValue(sql, {}).toBool();
}

void NetDbSession::lockRow(const QString &table, qint64 id)
{
    requireOpen();
    const QString sql = m_engine->lockRowStatement(table);
    if (sql.isEmpty() || !m_inTransaction)
        return;
    freshValue(sql, {id});
}
