#include "platform/netdb/NetDbPostgresEngine.h"

#include "platform/lns/LnsError.h"
#include "platform/netdb/NetDbFailure.h"

#include <QSqlDriver>
#include <QSqlQuery>
#include <libpq-fe.h>
#include <vector>

namespace {
bool mentions(const QString &text, std::initializer_list<const char *> words)
{
    for (const char *word : words) {
        if (text.contains(QLatin1String(word), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

// libpq's words on one line: it tries with and without encryption and says
// the same twice, over several lines.
QString driverText(const QSqlError &error)
{
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    QStringList lines;
    for (const QString &line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QString simple = line.simplified();
        if (!simple.isEmpty() && !lines.contains(simple))
            lines.append(simple);
    }
    return lines.join(QStringLiteral("; "));
}

// SQL states of a client that waited for another one in vain: a lock not
// had in time, a deadlock, a serialisation conflict.
bool isBusyState(const QString &state)
{
    return state == QLatin1String("55P03") || state == QLatin1String("40P01") ||
           state == QLatin1String("40001");
}
} // namespace

NetDbPostgresEngine::NetDbPostgresEngine(const QString &uri)
    : m_uri(uri), m_address(NetDbServerAddress::parse(uri))
{
}

QString NetDbPostgresEngine::shownLocation() const
{
    return m_address.isValid() ? m_address.shown() : NetDbServerAddress::withoutPassword(m_uri);
}

QString NetDbPostgresEngine::userName() const
{
    if (!m_address.user().isEmpty())
        return m_address.user();
    const QString user = qEnvironmentVariable("PGUSER");
    return user.isEmpty() ? qEnvironmentVariable("USER") : user;
}

QString NetDbPostgresEngine::withoutPassword(QString text) const
{
    // libpq does not repeat a password, but a message must never show one.
    for (const QString &secret : {m_address.password(), qEnvironmentVariable("PGPASSWORD")}) {
        if (secret.size() >= 3)
            text.replace(secret, QStringLiteral("***"));
    }
    return text;
}

DatabaseFault NetDbPostgresEngine::connectFault(const QString &libpqText) const
{
    const QString location = shownLocation();
    const QString host = m_address.hostText();
    const QString detail = withoutPassword(libpqText.trimmed());
    DatabaseFault fault{DatabaseFault::Other, location, {}, detail};
    if (mentions(detail, {"timeout expired"})) {
        fault.kind = DatabaseFault::NoAnswer;
        const QString given = m_address.option(QStringLiteral("connect_timeout"));
        fault.arguments = {host, given.isEmpty() ? QString::number(ConnectTimeoutSeconds) : given};
    } else if (mentions(detail, {"could not translate host name", "Name or service not known",
                                 "nodename nor servname", "Temporary failure in name resolution"})) {
        fault.kind = DatabaseFault::ServerNotFound;
        fault.arguments = {host};
    } else if (mentions(detail, {"Connection refused", "No such file or directory"})) {
        fault.kind = DatabaseFault::ServerRefused;
        fault.arguments = {host};
    } else if (mentions(detail, {"password authentication failed", "no password supplied",
                                 "authentication failed", "no pg_hba.conf entry", "role \""})) {
        fault.kind = DatabaseFault::AuthenticationFailed;
        fault.arguments = {host, userName()};
    } else if (mentions(detail, {"SSL", "certificate"})) {
        fault.kind = DatabaseFault::TlsFailed;
        fault.arguments = {host};
    }
    return fault;
}

QSqlDatabase NetDbPostgresEngine::open(const QString &connectionName, NetDbOpenMode mode)
{
    if (!m_address.isValid())
        NetDbFailure::unusable(
            NetDbFailure::fault(shownLocation(), DatabaseFault::NotAServerAddress, {shownLocation()}));
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        DatabaseFault fault{
            DatabaseFault::Other,
            shownLocation(),
            {},
            QStringLiteral("Qt's PostgreSQL driver is not installed (package libqt6sql6-psql)")};
        NetDbFailure::unusable(fault);
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
    if (!m_address.host().isEmpty())
        db.setHostName(m_address.host());
    if (m_address.port() > 0)
        db.setPort(m_address.port());
    db.setUserName(m_address.user());
    db.setPassword(m_address.password());
    db.setDatabaseName(m_address.database());
    db.setConnectOptions(m_address.connectOptions(ConnectTimeoutSeconds));
    if (!db.open()) {
        const DatabaseFault fault = connectFault(driverText(db.lastError()));
        throw LnsError(LnsErrorCode::DatabaseUnusable,
                       QStringLiteral("The network database \"%1\" cannot be opened: %2.")
                           .arg(fault.path, NetDbFailure::describe(fault)),
                       fault);
    }
    QSqlQuery setup(db);
    // The server's notices ("already exists, skipping") are no news to a user.
    setup.exec(QStringLiteral("SET client_min_messages = warning"));
    // A row another client holds is waited for this long, then the write
    // gives up as busy instead of hanging the window.
    setup.exec(QStringLiteral("SET lock_timeout = %1").arg(LockTimeoutMs));
    if (mode == NetDbOpenMode::ReadOnly)
        setup.exec(QStringLiteral("SET default_transaction_read_only = on"));
    return db;
}

void NetDbPostgresEngine::attach(QSqlDatabase &db, NetDbOpenMode)
{
    m_listening = m_notices.attach(db);
    m_connection = NetDbServerNotices::connectionOf(db);
}

void NetDbPostgresEngine::detach()
{
    m_connection = nullptr;
    m_notices.detach();
    m_listening = false;
    m_announce = false;
}

namespace {
// The statement with its "?" marks numbered as the server takes them; marks
// inside quoted texts stay.
QByteArray numbered(const QString &sql)
{
    QByteArray out;
    out.reserve(sql.size() + 16);
    int mark = 0;
    bool quoted = false;
    for (const QChar c : sql) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (c == QLatin1Char('?') && !quoted)
            out += '$' + QByteArray::number(++mark);
        else
            out += QString(c).toUtf8();
    }
    return out;
}

// The server's type numbers of the columns read as numbers or flags.
constexpr Oid kBool = 16;
constexpr Oid kInt8 = 20;
constexpr Oid kInt2 = 21;
constexpr Oid kInt4 = 23;
} // namespace

bool NetDbPostgresEngine::run(QSqlDatabase &, const QString &sql, const QVariantList &binds,
                              QList<QVariantList> &rows, QSqlError &error)
{
    if (!m_connection)
        return false;
    auto text = m_numbered.find(sql);
    if (text == m_numbered.end())
        text = m_numbered.insert(sql, numbered(sql));
    // Values go as text beside the statement, never into it.
    std::vector<QByteArray> values(static_cast<size_t>(binds.size()));
    std::vector<const char *> pointers(static_cast<size_t>(binds.size()), nullptr);
    for (qsizetype i = 0; i < binds.size(); ++i) {
        const QVariant &value = binds.at(i);
        const auto at = static_cast<size_t>(i);
        if (value.metaType() == QMetaType::fromType<QString>())
            values[at] = value.toString().toUtf8(); // a null text is kept as "", as the tables keep it
        else if (value.metaType() == QMetaType::fromType<bool>())
            values[at] = value.toBool() ? "1" : "0";
        else if (!value.isNull())
            values[at] = value.toString().toUtf8();
        else
            continue;
        pointers[at] = values[at].constData();
    }
    PGresult *result = PQexecParams(m_connection, text->constData(), static_cast<int>(binds.size()), nullptr,
                                    pointers.data(), nullptr, nullptr, 0);
    const ExecStatusType status = result ? PQresultStatus(result) : PGRES_FATAL_ERROR;
    if (status == PGRES_TUPLES_OK) {
        const int columns = PQnfields(result);
        const int count = PQntuples(result);
        rows.reserve(count);
        for (int r = 0; r < count; ++r) {
            QVariantList row;
            row.reserve(columns);
            for (int c = 0; c < columns; ++c) {
                if (PQgetisnull(result, r, c)) {
                    row.append(QVariant());
                    continue;
                }
                const char *cell = PQgetvalue(result, r, c);
                switch (PQftype(result, c)) {
                case kBool:
                    row.append(QVariant(cell[0] == 't'));
                    break;
                case kInt2:
                case kInt4:
                case kInt8:
                    row.append(QVariant(qlonglong(QByteArray(cell).toLongLong())));
                    break;
                default:
                    row.append(QVariant(QString::fromUtf8(cell)));
                }
            }
            rows.append(row);
        }
    } else if (status != PGRES_COMMAND_OK) {
        const char *state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
        const QString message =
            QString::fromUtf8(result ? PQresultErrorMessage(result) : PQerrorMessage(m_connection));
        error = QSqlError(QStringLiteral("the server refused the statement"), message,
                          QSqlError::StatementError, state ? QString::fromLatin1(state) : QString());
    }
    PQclear(result);
    return true;
}

QStringList NetDbPostgresEngine::catalogue(QSqlDatabase &db)
{
    QStringList present;
    QSqlQuery query(db);
    if (query.exec(QStringLiteral(
            "SELECT table_name FROM information_schema.tables WHERE table_schema = current_schema() "
            "UNION ALL SELECT indexname FROM pg_indexes WHERE schemaname = current_schema()"))) {
        while (query.next())
            present.append(query.value(0).toString());
    }
    return present;
}

int NetDbPostgresEngine::catalogueSize(QSqlDatabase &db)
{
    QSqlQuery probe(db);
    if (!probe.exec(QStringLiteral(
            "SELECT count(*) FROM information_schema.tables WHERE table_schema = current_schema()")) ||
        !probe.next())
        NetDbFailure::unusable(fault(probe.lastError()));
    return probe.value(0).toInt();
}

QStringList NetDbPostgresEngine::beginStatements() const
{
    return {QStringLiteral("BEGIN")};
}

QStringList NetDbPostgresEngine::beginCreateStatements() const
{
    // Two first clients of an empty project database: the second waits
    // here and then finds the tables made.
    return {QStringLiteral("BEGIN"), QStringLiteral("SELECT pg_advisory_xact_lock(7524024)")};
}

QStringList NetDbPostgresEngine::beginSnapshotStatements() const
{
    return {QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY")};
}

QStringList NetDbPostgresEngine::extraSchema() const
{
    return {QStringLiteral("CREATE SEQUENCE IF NOT EXISTS rx24_ids")};
}

QString NetDbPostgresEngine::lockRowStatement(const QString &table) const
{
    return QStringLiteral("SELECT id FROM %1 WHERE id = ? FOR UPDATE").arg(table);
}

QString NetDbPostgresEngine::nextIdsStatement() const
{
    // Never waits and never hands one id out twice, also to clients whose
    // transactions run side by side.
    return QStringLiteral("SELECT nextval('rx24_ids') FROM generate_series(1, ?)");
}

bool NetDbPostgresEngine::otherConnectionWrote()
{
    return !m_listening || m_notices.otherConnectionWrote();
}

void NetDbPostgresEngine::setOtherWriteHandler(std::function<void()> handler)
{
    m_notices.setHandler(std::move(handler));
}

void NetDbPostgresEngine::wrote(QSqlDatabase &db, bool inTransaction)
{
    if (inTransaction) {
        m_announce = true;
        return;
    }
    m_notices.announce(db);
}

void NetDbPostgresEngine::beforeCommit(QSqlDatabase &db)
{
    // Sent with the commit, and only if it succeeds.
    if (!m_announce)
        return;
    m_announce = false;
    m_notices.announce(db);
}

bool NetDbPostgresEngine::isBusy(const QSqlError &error) const
{
    return isBusyState(error.nativeErrorCode());
}

DatabaseFault NetDbPostgresEngine::fault(const QSqlError &error) const
{
    const QString state = error.nativeErrorCode();
    const QString detail = withoutPassword(driverText(error));
    if (isBusyState(state))
        return DatabaseFault{DatabaseFault::Busy, shownLocation(), {}, detail};
    if (state == QLatin1String("25006") || state == QLatin1String("42501"))
        return DatabaseFault{DatabaseFault::ReadOnly, shownLocation(), {}, detail};
    if (state == QLatin1String("53100"))
        return DatabaseFault{DatabaseFault::DiskFull, shownLocation(), {}, detail};
    if (state.startsWith(QLatin1String("08")) || state.isEmpty())
        return connectFault(detail);
    return DatabaseFault{DatabaseFault::Other, shownLocation(), {}, detail};
}
