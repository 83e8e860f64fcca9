#include "platform/netdb/NetDbFailure.h"

#include "platform/lns/LnsError.h"
#include "platform/services/TextUtility.h"

namespace {
// The primary result codes of SQLite that say something about the file.
enum SqliteCode {
    Busy = 5,
    Locked = 6,
    ReadOnly = 8,
    IoError = 10,
    Corrupt = 11,
    Full = 13,
    CantOpen = 14,
    NotADatabase = 26,
};

int primaryCode(const QSqlError &error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? code & 0xFF : -1;
}

QString driverText(const QSqlError &error)
{
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return text.trimmed();
}

// The English words of each kind, in the order of DatabaseFault::Kind.
const char *const kEnglish[] = {
    "",
    "it is locked by another program",
    "it is read-only",
    "it is not a database",
    "it is damaged",
    "the disk is full",
    "it cannot be opened (is its folder writable?)",
    "reading or writing the file failed",
    "no file name is given",
    "it is not a file",
    "it does not exist (\"lnsdb create\" or \"lnsdb demo\" makes one)",
    "it is read-only (the file is write-protected)",
    "its folder \"%1\" is read-only, and the database keeps its journal there",
    "it is empty, not a network database yet (\"lnsdb create\" makes one)",
    "it is not a network database (no schema version)",
    "its schema version %1 is newer than this program's (%2)",
    "its schema version is missing",
    "the database reports an error",
    "its folder cannot be created",
    "another client holds a transaction",
    "no server is set (settings key \"SOFTWARE/velto/LNS/Server\", e.g. postgresql://user@host/lns)",
    "\"%1\" is not a server address (postgresql://user@host:port/database)",
    "the server %1 refuses the connection (is it running, is the port right?)",
    "the host name of %1 is not found",
    "the server %1 does not let the user \"%2\" in (password, or pg_hba.conf)",
    "a connection over the Internet must be encrypted: the server address needs \"sslmode=require\" or "
    "stronger",
    "the encrypted connection to the server %1 fails",
    "the server %1 does not answer within %2 seconds",
};
} // namespace

bool NetDbFailure::isBusy(const QSqlError &error)
{
    const int code = primaryCode(error);
    return code == Busy || code == Locked ||
           error.databaseText().contains(QLatin1String("locked"), Qt::CaseInsensitive);
}

bool NetDbFailure::isReadOnly(const QSqlError &error)
{
    return primaryCode(error) == ReadOnly ||
           error.databaseText().contains(QLatin1String("readonly"), Qt::CaseInsensitive);
}

DatabaseFault NetDbFailure::fault(const QString &path, DatabaseFault::Kind kind, const QStringList &arguments)
{
    return DatabaseFault{kind, path, arguments, QString()};
}

DatabaseFault NetDbFailure::fault(const QString &path, const QSqlError &error)
{
    DatabaseFault result{DatabaseFault::Other, path, {}, driverText(error)};
    if (isBusy(error)) {
        result.kind = DatabaseFault::Locked;
    } else if (isReadOnly(error)) {
        result.kind = DatabaseFault::ReadOnly;
    } else {
        switch (primaryCode(error)) {
        case NotADatabase:
            result.kind = DatabaseFault::NotADatabase;
            break;
        case Corrupt:
            result.kind = DatabaseFault::Damaged;
            break;
        case Full:
            result.kind = DatabaseFault::DiskFull;
            break;
        case CantOpen:
            result.kind = DatabaseFault::CannotOpen;
            break;
        case IoError:
            result.kind = DatabaseFault::IoError;
            break;
        default:
            break;
        }
    }
    return result;
}

QString NetDbFailure::describe(const DatabaseFault &fault)
{
    // An error the file's state does not explain speaks for itself.
    if (fault.kind == DatabaseFault::Other && !fault.detail.isEmpty())
        return fault.detail;
    const auto index = static_cast<std::size_t>(fault.kind);
    const QString what = index < std::size(kEnglish)
                             ? TextUtility::FillPlaceholders(QLatin1String(kEnglish[index]), fault.arguments)
                             : QString();
    return fault.detail.isEmpty() ? what : QStringLiteral("%1 (%2)").arg(what, fault.detail);
}

void NetDbFailure::unusable(const DatabaseFault &fault)
{
    throw LnsError(
        LnsErrorCode::DatabaseUnusable,
        QStringLiteral("The network database \"%1\" cannot be used: %2.").arg(fault.path, describe(fault)),
        fault);
}
