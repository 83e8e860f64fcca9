#pragma once

#include <QList>
#include <QString>
#include <utility>

// A project database on a PostgreSQL server, given as a libpq connection URI
// ("postgresql://anna@db.site.example:5432/lns?sslmode=require"). The
// password is never part of what is shown: libpq's password file, service
// file or environment supply it.
class NetDbServerAddress
{
public:
    // True for the "postgresql://" and "postgres://" forms; anything else
    // names a database file.
    static bool isServerAddress(const QString &location);
    // The text with a password between "user:" and "@" taken out, for a
    // text that may not even parse as a URI.
    static QString withoutPassword(const QString &text);
    // An empty address (isValid() false) when the text is no server URI.
    static NetDbServerAddress parse(const QString &uri);

    bool isValid() const { return m_valid; }
    QString host() const { return m_host; } // empty: the local socket
    int port() const { return m_port; }     // -1: libpq's default
    QString user() const { return m_user; }
    QString password() const { return m_password; }
    QString database() const { return m_database; }
    // The URI's own options (sslmode, connect_timeout, options ...).
    const QList<std::pair<QString, QString>> &options() const { return m_options; }
    QString option(const QString &key) const;
    // The options as libpq's "key=value" list, connect_timeout added when
    // the URI gives none, so that a silent server is noticed within seconds.
    QString connectOptions(int defaultTimeoutSeconds) const;
    // The host (and port) a message names: "db.site.example:5432".
    QString hostText() const;
    // The URI without its password, for messages and the log.
    QString shown() const;
    // The URI asks for an encrypted connection at least at "require".
    bool requiresTls() const;

private:
    bool m_valid = false;
    QString m_host;
    int m_port = -1;
    QString m_user;
    QString m_password;
    QString m_database;
    QString m_shown;
    QList<std::pair<QString, QString>> m_options;
};
