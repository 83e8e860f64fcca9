#include "platform/netdb/NetDbFailure.h"

#include "platform/lns/LnsError.h"

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

QString NetDbFailure::cause(const QSqlError &error)
{
    QString what;
    if (isBusy(error))
        what = QStringLiteral("it is locked by another program");
    else if (isReadOnly(error))
        what = QStringLiteral("it is read-only");
    else {
        switch (primaryCode(error)) {
        case NotADatabase:
            what = QStringLiteral("it is not a database");
            break;
        case Corrupt:
            what = QStringLiteral("it is damaged");
            break;
        case Full:
            what = QStringLiteral("the disk is full");
            break;
        case CantOpen:
            what = QStringLiteral("it cannot be opened (is its folder writable?)");
            break;
        case IoError:
            what = QStringLiteral("reading or writing the file failed");
            break;
        default:
            return driverText(error);
        }
    }
    const QString text = driverText(error);
    return text.isEmpty() ? what : QStringLiteral("%1 (%2)").arg(what, text);
}

void NetDbFailure::unusable(const QString &path, const QString &why)
{
    throw LnsError(LnsErrorCode::DatabaseUnusable,
                   QStringLiteral("The network database \"%1\" cannot be used: %2.").arg(path, why));
}
