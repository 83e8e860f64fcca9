// A connect to the team's server that fails names the server and the cause,
// in words a user can act on, and never shows a password.
#include "platform/lns/LnsError.h"
#include "platform/netdb/NetDbFailure.h"
#include "platform/netdb/NetworkDatabase.h"
#include "support/PgTestServer.h"

#include <QUrl>
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

struct Refusal
{
    DatabaseFault fault;
    QString text;
};

Refusal refusalOf(const QString &uri)
{
    NetworkDatabase db(uri);
    try {
        db.connectServer(0);
    } catch (const LnsError &error) {
        EXPECT_EQ(error.number(), LnsErrorCode::DatabaseUnusable);
        EXPECT_FALSE(db.isConnected());
        return {error.fault(), error.description()};
    }
    ADD_FAILURE() << "connected to " << uri.toStdString();
    return {};
}

// A port that takes connections (the kernel completes them) and never
// answers: a server that hangs, or a firewall that swallows the answer.
class SilentPort
{
public:
    SilentPort()
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (m_fd < 0 || ::bind(m_fd, reinterpret_cast<sockaddr *>(&address), size) != 0 ||
            ::listen(m_fd, 4) != 0 || ::getsockname(m_fd, reinterpret_cast<sockaddr *>(&address), &size) != 0)
            return;
        m_port = ntohs(address.sin_port);
    }
    ~SilentPort()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    SilentPort(const SilentPort &) = delete;
    SilentPort &operator=(const SilentPort &) = delete;
    int port() const { return m_port; }

private:
    int m_fd = -1;
    int m_port = 0;
};

QString withUser(const QString &uri, const QString &userInfo)
{
    QString changed = uri;
    return changed.replace(QStringLiteral("//rx24pw@"), QStringLiteral("//%1@").arg(userInfo));
}

TEST(NetDbServerConnect, EachCauseIsNamedWithTheServer)
{
    const QUrl server(PgTestServer::uri());
    const QString hostPort = QStringLiteral("127.0.0.1:%1").arg(server.port());

    Refusal r = refusalOf(QStringLiteral("postgresql://rx24@127.0.0.1:1/rx24test"));
    EXPECT_EQ(r.fault.kind, DatabaseFault::ServerRefused) << r.text.toStdString();
    EXPECT_EQ(r.fault.arguments, QStringList{QStringLiteral("127.0.0.1:1")});

    r = refusalOf(QStringLiteral("postgresql://rx24@no-such-host.invalid/rx24test"));
    EXPECT_EQ(r.fault.kind, DatabaseFault::ServerNotFound) << r.text.toStdString();
    EXPECT_TRUE(r.text.contains(QStringLiteral("no-such-host.invalid")));

    // A certificate that cannot be checked fails the encrypted connection.
    r = refusalOf(
        PgTestServer::tlsUri().replace(QStringLiteral("sslmode=require"),
                                       QStringLiteral("sslmode=verify-full&sslrootcert=/nonexistent.crt")));
    EXPECT_EQ(r.fault.kind, DatabaseFault::TlsFailed) << r.text.toStdString();
    EXPECT_EQ(r.fault.arguments, QStringList{hostPort});

    // A server that takes the connection and then says nothing.
    const SilentPort silent;
    ASSERT_NE(silent.port(), 0);
    r = refusalOf(
        QStringLiteral("postgresql://rx24@127.0.0.1:%1/rx24test?connect_timeout=1").arg(silent.port()));
    EXPECT_EQ(r.fault.kind, DatabaseFault::NoAnswer) << r.text.toStdString();
    EXPECT_EQ(r.fault.arguments,
              (QStringList{QStringLiteral("127.0.0.1:%1").arg(silent.port()), QStringLiteral("1")}));

    r = refusalOf(QStringLiteral("postgresql://rx24@127.0.0.1:%1/no_such_project").arg(server.port()));
    EXPECT_EQ(r.fault.kind, DatabaseFault::Other);
    EXPECT_TRUE(r.text.contains(QStringLiteral("no_such_project"))) << r.text.toStdString();
}

TEST(NetDbServerConnect, AWrongPasswordIsNamedAndNeverShown)
{
    const QString hostPort = QStringLiteral("127.0.0.1:%1").arg(QUrl(PgTestServer::uri()).port());
    const QString wrong = QStringLiteral("Wr0ng-Pa55-7c1e");
    const QStringList expected{hostPort, QStringLiteral("rx24pw")};
    qputenv("PGPASSFILE", "/nonexistent/pgpass");

    // Given in the URI (which the settings should never hold) ...
    Refusal r = refusalOf(withUser(PgTestServer::passwordUri(), QStringLiteral("rx24pw:") + wrong));
    EXPECT_EQ(r.fault.kind, DatabaseFault::AuthenticationFailed) << r.text.toStdString();
    EXPECT_EQ(r.fault.arguments, expected);
    EXPECT_FALSE(r.text.contains(wrong)) << r.text.toStdString();
    EXPECT_FALSE(r.fault.path.contains(wrong));
    EXPECT_FALSE(NetDbFailure::describe(r.fault).contains(wrong));

    // ... from the environment, as libpq takes it, or none at all.
    qputenv("PGPASSWORD", wrong.toUtf8());
    r = refusalOf(PgTestServer::passwordUri());
    EXPECT_EQ(r.fault.kind, DatabaseFault::AuthenticationFailed) << r.text.toStdString();
    EXPECT_FALSE(r.text.contains(wrong)) << r.text.toStdString();
    qunsetenv("PGPASSWORD");
    r = refusalOf(PgTestServer::passwordUri());
    EXPECT_EQ(r.fault.kind, DatabaseFault::AuthenticationFailed) << r.text.toStdString();

    // The right one lets the user in: what is refused then is the empty project.
    qputenv("PGPASSWORD", PgTestServer::password().toUtf8());
    r = refusalOf(PgTestServer::passwordUri());
    EXPECT_EQ(r.fault.kind, DatabaseFault::Empty) << r.text.toStdString();
    qunsetenv("PGPASSWORD");
    qunsetenv("PGPASSFILE");
}

} // namespace
