// lnsdb on a team's server: --server, and start-plugin's check of the
// plug-in's settings.
#include "LnsdbTool.h"
#include "platform/netdb/NetDbServerAddress.h"
#include "platform/services/SettingsLocation.h"
#include "support/PgTestServer.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kFull = QStringLiteral("Demo\\LNS System.Floor 1\\RX24 Full");
// What a careless importer or an attacker might put into a name.
const QString kHostileNetwork = QStringLiteral("Ö'; DROP TABLE x;-- 漢字");

struct Result
{
    int code;
    QString out;
    QString err;
};

Result lnsdb(const QStringList &args)
{
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int code = LnsdbTool(outStream, errStream).run(args);
    outStream.flush();
    errStream.flush();
    return {code, out, err};
}

class LnsdbServerTest : public ::testing::Test
{
protected:
    void TearDown() override { SettingsLocation::setFilePath({}); }

    QTemporaryDir m_dir;
    QString m_first = m_dir.filePath(QStringLiteral("first.lnsdb"));
};

TEST_F(LnsdbServerTest, ServerOptionTakesOnlyAServerUriWithoutPassword)
{
    for (const QStringList &args :
         {QStringList{QStringLiteral("--server"), m_first, QStringLiteral("list-networks")},
          QStringList{QStringLiteral("--server=mysql://h/db"), QStringLiteral("list-networks")},
          QStringList{QStringLiteral("--server"), QStringLiteral("postgresql://anna:secret@h/db"),
                      QStringLiteral("list-networks")},
          QStringList{QStringLiteral("--db"), m_first, QStringLiteral("--server"), PgTestServer::uri(),
                      QStringLiteral("list-networks")},
          QStringList{QStringLiteral("--server")}}) {
        const Result r = lnsdb(args);
        EXPECT_EQ(r.code, LnsdbTool::BadArguments) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1) << r.err.toStdString();
        EXPECT_FALSE(r.err.contains(QStringLiteral("secret")));
    }
    EXPECT_FALSE(QFile::exists(m_first));

    const PgTestSchema schema(QStringLiteral("serveroption"));
    const QStringList server{QStringLiteral("--server"), schema.uri()};
    const Result created = lnsdb(server + QStringList{QStringLiteral("create")});
    ASSERT_EQ(created.code, 0) << created.err.toStdString();
    EXPECT_EQ(created.out.trimmed(), NetDbServerAddress::parse(schema.uri()).shown());
    ASSERT_EQ(lnsdb(server + QStringList{QStringLiteral("create-network"), kHostileNetwork}).code, 0);
    EXPECT_EQ(lnsdb(server + QStringList{QStringLiteral("list-networks")}).out,
              kHostileNetwork + QLatin1Char('\n'));
}

// The plug-in opens the server of its settings: lnsdb refuses to start it on
// another one, before it goes near the bus.
TEST_F(LnsdbServerTest, StartPluginOnAServerNeedsThePluginsSettingsToNameIt)
{
    SettingsLocation::setFilePath(m_dir.filePath(QStringLiteral("registry.ini")));
    const QString uri = QStringLiteral("postgresql://anna@db.site.example:5432/lns?sslmode=verify-full");
    const QStringList start{QStringLiteral("--server"), uri, QStringLiteral("start-plugin"), kFull};
    Result r = lnsdb(start);
    EXPECT_EQ(r.code, LnsdbTool::Failed);
    EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("SOFTWARE/velto/LNS/Server"))) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(uri)) << r.err.toStdString();

    QSettings(SettingsLocation::filePath(), QSettings::IniFormat)
        .setValue(QStringLiteral("SOFTWARE/velto/LNS/Server"),
                  QStringLiteral("postgresql://anna@db.site.example:5432/lns_old?sslmode=verify-full"));
    r = lnsdb(start);
    EXPECT_EQ(r.code, LnsdbTool::Failed);
    EXPECT_TRUE(r.err.contains(QStringLiteral("lns_old"))) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("SOFTWARE/velto/LNS/Server"))) << r.err.toStdString();
}

} // namespace
