#pragma once

#include "platform/lns/LnsNetworkVariable.h"
#include "platform/netdb/NetDbCpCache.h"
#include "platform/netdb/NetDbNvRow.h"
#include "platform/netdb/NetDbOpenMode.h"

#include <QHash>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>
#include <functional>
#include <memory>
#include <utility>

class LnsObjectServer;
class NetDbEngine;
class NvPoller;

// What this client keeps of an NV's monitoring in memory: options, tag and
// whether it is being polled. Keyed by NV, so every handle of the NV agrees.
struct NvMonitorState
{
    LnsMonitorOptions options;
    bool editing = false;
    int tag = 0;
    bool active = false;
    qint64 networkId = 0; // network of the NV, known once activated
    QString lastValue;
};

using IdNameList = QList<std::pair<qint64, QString>>;

// What a write may change, and so which of the rows read earlier it spoils.
enum class NetDbWriteScope {
    Anything,    // rows of any kind
    Values,      // NV types and values, names, flags: everything but the CP rows
    NvRowOnly,   // one NV's type and value, which the caller puts into its NV row itself
    CpBytesOnly, // CP bytes, which the caller puts into the CP rows itself
    History      // a device's history, which no object, NV or CP row shows
};

// One client's connection to the network database (a file, or a project on a
// server), shared by every
// object handle the object server hands out. Also keeps the client-side state
// that is not stored: the transaction, the device-write bracket, open monitor
// sets and NV monitoring.
//
// Statements are prepared once per connection. What was read is kept and
// served again while nobody can have changed it: this client's writes keep
// it up to date or drop it, a cancelled transaction drops it, and a commit
// of any other connection drops it before the next read.
class NetDbSession
{
public:
    NetDbSession(QString path, LnsObjectServer *server, NetDbOpenMode mode = NetDbOpenMode::Existing);
    ~NetDbSession();
    NetDbSession(const NetDbSession &) = delete;
    NetDbSession &operator=(const NetDbSession &) = delete;

    // The file or the server URI the client opens.
    const QString &path() const { return m_path; }
    // Another location before the next open: the server of a remote connect.
    void setLocation(const QString &location);
    // The location as messages name it: a server URI without its password.
    QString shownLocation() const;
    bool isServer() const;
    NetDbOpenMode mode() const { return m_mode; }
    LnsObjectServer *server() const { return m_server; }

    // Raises DatabaseUnusable, naming the file and the cause, when the file
    // is missing (unless the mode creates it) or not a usable network database.
    void open();
    void close();
    bool isOpen() const { return m_open; }
    void requireOpen() const; // raises NotConnected

    QList<QVariantList> select(const QString &sql, const QVariantList &binds = {}) const;
    // As select, but asks the database even when the rows were read before:
    // for what a write decides on (the device's revision under its lock).
    QList<QVariantList> selectFresh(const QString &sql, const QVariantList &binds = {}) const;
    // The one row the query yields; NotFound with the given text when none.
    QVariantList selectRow(const QString &sql, const QVariantList &binds, const QString &missing) const;
    IdNameList selectIdNames(const QString &sql, const QVariantList &binds) const;
    void exec(const QString &sql, const QVariantList &binds = {},
              NetDbWriteScope scope = NetDbWriteScope::Anything);
    // Inserts one row and returns its id. Ids are handed out here, inside the
    // write lock, rather than by the database, so that the same statements
    // serve a server database.
    qint64 insert(const QString &table, const QStringList &columns, const QVariantList &values,
                  NetDbWriteScope scope = NetDbWriteScope::Anything);
    // Inserts the rows, several to a statement, and returns their ids in
    // their order: a copied device's hundreds of CPs cost a few round trips
    // to a server, not hundreds.
    QList<qint64> insertAll(const QString &table, const QStringList &columns, const QList<QVariantList> &rows,
                            NetDbWriteScope scope = NetDbWriteScope::Anything);

    // Changes whenever what was read before may no longer hold: after a
    // write of this client (CP bytes aside, which change no listing), a
    // cancelled transaction, or a commit of another connection, which this
    // call looks for first. Lists read under one generation are still valid
    // under it.
    quint64 readGeneration() const;
    // Drops every row read so far, as a commit of another client would, and
    // the monitoring options of NVs nobody monitors.
    void forgetReadRows();

    // The CP rows of an owner in their order, read together.
    QList<NetDbCpRow> cpRows(NetDbCpOwner owner, qint64 ownerId) const;
    // NotFound when the CP no longer exists.
    NetDbCpRow cpRow(qint64 cpId) const;
    void storeCpBytes(qint64 cpId, const QList<int> &bytes);

    // The NV rows of a LonMark object in their order, read together and
    // kept like other reads.
    QList<NetDbNvRow> nvRows(qint64 objectId) const;
    // NotFound when the NV no longer exists.
    NetDbNvRow nvRow(qint64 nvId) const;
    // Writes an NV's type and value and keeps its row up to date: lists and
    // the other kept rows stay, since nothing else changes.
    void storeNvRow(qint64 nvId, int typeId, const QString &value);

    // Locks the row inside this client's transaction, so that another client
    // writing it waits (a device written by two engineers at once). Nothing
    // to do where the transaction holds the whole database.
    void lockRow(const QString &table, qint64 id);
    // Before a write names a stored set of the history; once per transaction.
    void holdSetsInUse();
    // Whether the sets nobody names may be swept now: not while another
    // client's transaction may be about to name one of them.
    bool maySweepSets();

    void beginTransaction();
    void commitTransaction();
    void cancelTransaction();
    bool inTransaction() const { return m_inTransaction; }
    // Runs several writes as one: inside this client's transaction as part of
    // it, otherwise in a transaction of their own.
    void atomically(const std::function<void()> &work);
    // Runs reads that must agree with each other (a whole network walked
    // while others write it): they see the database as it stood at the
    // first of them. Inside this client's transaction, as part of it.
    void readSnapshot(const std::function<void()> &work);

    bool deviceWritePrepared = false;
    int deviceWriteValue = 0;
    QSet<qint64> openMonitorSets; // network ids

    NvMonitorState &monitorState(qint64 nvId) { return m_monitors[nvId]; }
    const NvMonitorState *findMonitorState(qint64 nvId) const;
    NvPoller &poller() { return *m_poller; }
    // Ends the monitoring of every NV of the network (its monitor set closes).
    void deactivateMonitoring(qint64 networkId);

private:
    [[noreturn]] void raise(const QSqlError &error, const QString &what) const;
    // Reads the LonMark object rows, their CP rows and their NV rows of the
    // device that holds the object, three statements for the whole device
    // instead of three for each object: opening a device on a server pays a
    // round trip per statement. False when the object is unknown.
    bool readDeviceOfObject(qint64 objectId) const;
    // Writes the CP bytes put inside this transaction so far, in as few
    // statements as the batch size allows; before anything else reaches the
    // database and before the commit.
    void flushCpBytes() const;
    // Runs one statement, through the engine where it runs statements
    // itself, else through Qt's prepared statements; raises on failure.
    QList<QVariantList> run(const QString &sql, const QVariantList &binds, const QString &what) const;
    bool tryRun(const QString &sql, const QVariantList &binds, QList<QVariantList> &rows,
                QSqlError &error) const;
    // Runs a statement whose answer must never be served from what was kept.
    QVariant freshValue(const QString &sql, const QVariantList &binds);
    // Ids for new rows of the table, inside this client's transaction.
    QList<qint64> newIds(const QString &table, qsizetype count);
    void runAll(const QStringList &statements, const QString &what);
    QSqlDatabase database() const;
    QSqlQuery &statement(const QString &sql) const;
    // Drops what was read when another connection committed meanwhile.
    void refresh() const;
    void dropCaches() const;
    void dropResults() const;

    QString m_path;
    NetDbOpenMode m_mode;
    QString m_connectionName;
    LnsObjectServer *m_server;
    bool m_open = false;
    bool m_inTransaction = false;
    QHash<qint64, NvMonitorState> m_monitors;
    std::unique_ptr<NvPoller> m_poller;
    mutable QHash<QString, std::shared_ptr<QSqlQuery>> m_statements;
    mutable QHash<QString, QList<QVariantList>> m_results; // by statement and values
    mutable NetDbCpCache m_cps;
    mutable QHash<qint64, NetDbNvRow> m_nvs;
    mutable QHash<qint64, QList<qint64>> m_nvsOfObject;
    std::unique_ptr<NetDbEngine> m_engine;
    mutable quint64 m_generation = 0;
    QHash<QString, qint64> m_nextIds; // by table, inside this client's transaction
    // CP bytes put inside the transaction and not yet sent: a device's write
    // changes dozens of CPs, and on a server each statement is a round trip.
    mutable QList<std::pair<qint64, QString>> m_pendingCps;
    bool m_setsHeld = false; // this transaction holds the history's sets in use
    mutable QHash<qint64, qsizetype> m_pendingIndex;
};
