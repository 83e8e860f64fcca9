#include "platform/netdb/NetDbServerAddress.h"

#include <QUrl>
#include <QUrlQuery>

bool NetDbServerAddress::isServerAddress(const QString &location)
{
    return location.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
           location.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

QString NetDbServerAddress::withoutPassword(const QString &text)
{
    const qsizetype scheme = text.indexOf(QLatin1String("://"));
    const qsizetype at = text.indexOf(QLatin1Char('@'), scheme < 0 ? 0 : scheme);
    if (scheme < 0 || at < 0)
        return text;
    const qsizetype colon = text.indexOf(QLatin1Char(':'), scheme + 3);
    if (colon < 0 || colon > at)
        return text;
    return text.left(colon) + text.mid(at);
}

NetDbServerAddress NetDbServerAddress::parse(const QString &uri)
{
    NetDbServerAddress address;
    if (!isServerAddress(uri))
        return address;
    const QUrl url(uri, QUrl::StrictMode);
    if (!url.isValid())
        return address;
    address.m_host = url.host(QUrl::FullyDecoded);
    address.m_port = url.port(-1);
    address.m_user = url.userName(QUrl::FullyDecoded);
    address.m_password = url.password(QUrl::FullyDecoded);
    address.m_database = url.path(QUrl::FullyDecoded).mid(1);
    if (address.m_database.contains(QLatin1Char('/')))
        return address;
    const QUrlQuery query(url);
    for (const auto &[key, value] : query.queryItems(QUrl::FullyDecoded)) {
        // The host may also come as an option: a socket folder.
        if (key == QLatin1String("host"))
            address.m_host = value;
        else if (key == QLatin1String("port"))
            address.m_port = value.toInt();
        else if (key == QLatin1String("user"))
            address.m_user = value;
        else if (key == QLatin1String("dbname"))
            address.m_database = value;
        else if (key == QLatin1String("password"))
            address.m_password = value;
        else
            address.m_options.append({key, value});
    }
    QUrl shown = url;
    shown.setPassword(QString());
    QUrlQuery shownQuery(query);
    shownQuery.removeAllQueryItems(QStringLiteral("password"));
    shown.setQuery(shownQuery);
    address.m_shown = shown.toString();
    address.m_valid = true;
    return address;
}

QString NetDbServerAddress::option(const QString &key) const
{
    for (const auto &[name, value] : m_options) {
        if (name == key)
            return value;
    }
    return {};
}

QString NetDbServerAddress::connectOptions(int defaultTimeoutSeconds) const
{
    QStringList pieces;
    bool timeout = false;
    for (const auto &[key, value] : m_options) {
        timeout = timeout || key == QLatin1String("connect_timeout");
        // libpq reads a value up to the next blank unless it is quoted.
        QString quoted = value;
        quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
            .replace(QLatin1Char('\''), QLatin1String("\\'"));
        pieces.append(key + QLatin1String("='") + quoted + QLatin1Char('\''));
    }
    if (!timeout)
        pieces.append(QStringLiteral("connect_timeout=%1").arg(defaultTimeoutSeconds));
    return pieces.join(QLatin1Char(';'));
}

QString NetDbServerAddress::hostText() const
{
    const QString host = m_host.isEmpty() ? QStringLiteral("localhost") : m_host;
    return m_port > 0 ? QStringLiteral("%1:%2").arg(host).arg(m_port) : host;
}

QString NetDbServerAddress::shown() const
{
    return m_shown;
}

bool NetDbServerAddress::requiresTls() const
{
    QString mode = option(QStringLiteral("sslmode"));
    if (mode.isEmpty())
        mode = qEnvironmentVariable("PGSSLMODE");
    return mode == QLatin1String("require") || mode == QLatin1String("verify-ca") ||
           mode == QLatin1String("verify-full");
}
