#include "template/LocalServerLookup.h"
#include "template/cRX24.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class TemplateLocation : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_services.isValid()); }

    void writeService(const QString &progId, const QByteArray &text, const QString &dir = {})
    {
        QFile file(
            QDir(dir.isEmpty() ? m_services.path() : dir).filePath(progId + QStringLiteral(".service")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    void registerProxy(const QByteArray &execLine)
    {
        writeService(QStringLiteral("veltoProxy.Application"),
                     "[D-BUS Service]\nName=veltoProxy.Application\n" + execLine + "\n");
    }

    QString located() const
    {
        return cRX24::locateTemplateFile(LocalServerLookup({m_services.path()}), ownFolder());
    }
    static QString ownFolder() { return QStringLiteral("/opt/plugin/bin"); }

    QTemporaryDir m_services;
};

TEST_F(TemplateLocation, ServiceProgramIsTheFirstWordOfExec)
{
    registerProxy("Exec=/opt/velto/proxy/veltoProxy --activated");
    EXPECT_EQ(LocalServerLookup({m_services.path()}).localServer(QStringLiteral("veltoProxy.Application")),
              QStringLiteral("/opt/velto/proxy/veltoProxy"));
}

TEST_F(TemplateLocation, QuotedProgramKeepsItsBlanks)
{
    EXPECT_EQ(LocalServerLookup::firstWord(QStringLiteral("\"/opt/my proxy/p\" -x")),
              QStringLiteral("/opt/my proxy/p"));
    EXPECT_EQ(LocalServerLookup::firstWord(QStringLiteral("  /a/b  c")), QStringLiteral("/a/b"));
    EXPECT_TRUE(LocalServerLookup::firstWord(QStringLiteral("   ")).isEmpty());
}

TEST_F(TemplateLocation, NothingRegisteredGivesAnEmptyServer)
{
    const LocalServerLookup lookup({m_services.path()});
    EXPECT_TRUE(lookup.localServer(QStringLiteral("veltoProxy.Application")).isEmpty());
    writeService(QStringLiteral("noExec.Application"), "[D-BUS Service]\nName=noExec.Application\n");
    EXPECT_TRUE(lookup.localServer(QStringLiteral("noExec.Application")).isEmpty());
}

TEST_F(TemplateLocation, TemplateLiesBesideTheProxyProgram)
{
    registerProxy("Exec=/opt/velto/proxy/veltoProxy");
    EXPECT_EQ(located(), QStringLiteral("/opt/velto/proxy/RX24.ini"));
}

TEST_F(TemplateLocation, ProxyInstalledForTheMachineIsFoundInTheBussOrder)
{
    QTemporaryDir user;
    QTemporaryDir machine;
    const auto proxy = [&](const QByteArray &exec, const QString &dir) {
        writeService(QStringLiteral("veltoProxy.Application"), "[D-BUS Service]\n" + exec + "\n", dir);
    };
    const LocalServerLookup lookup({user.path(), machine.path()});
    proxy("Exec=/usr/lib/velto/veltoProxy", machine.path());
    EXPECT_EQ(cRX24::locateTemplateFile(lookup, ownFolder()), QStringLiteral("/usr/lib/velto/RX24.ini"));
    EXPECT_TRUE(cRX24::locationNote(lookup, QStringLiteral("/usr/lib/velto/RX24.ini"))
                    .contains(machine.filePath(QStringLiteral("veltoProxy.Application.service"))));
    // The user's own registration comes first, as on the bus.
    proxy("Exec=/home/u/proxy/veltoProxy", user.path());
    EXPECT_EQ(cRX24::locateTemplateFile(lookup, ownFolder()), QStringLiteral("/home/u/proxy/RX24.ini"));

    // The bus reads $XDG_DATA_DIRS behind the user's folder; unset it means /usr/local/share:/usr/share.
    const QByteArray saved = qgetenv("XDG_DATA_DIRS");
    qputenv("XDG_DATA_DIRS", "/opt/a:relative/b:/opt/c/");
    const QStringList dirs = LocalServerLookup::defaultServicesDirs();
    qunsetenv("XDG_DATA_DIRS");
    const QStringList fallback = LocalServerLookup::defaultServicesDirs();
    if (!saved.isNull())
        qputenv("XDG_DATA_DIRS", saved);
    EXPECT_EQ(dirs.mid(1), (QStringList{QStringLiteral("/opt/a/dbus-1/services"),
                                        QStringLiteral("/opt/c/dbus-1/services")}));
    EXPECT_EQ(fallback.mid(1), (QStringList{QStringLiteral("/usr/local/share/dbus-1/services"),
                                            QStringLiteral("/usr/share/dbus-1/services")}));
    EXPECT_TRUE(dirs.first().endsWith(QStringLiteral("/dbus-1/services")));
}

TEST_F(TemplateLocation, NoProxyMeansTheOwnFolder)
{
    EXPECT_EQ(located(), QStringLiteral("/opt/plugin/bin/RX24.ini"));
    registerProxy("Exec=veltoProxy");
    EXPECT_EQ(located(), QStringLiteral("/opt/plugin/bin/RX24.ini"));
}

TEST_F(TemplateLocation, DevelopmentEnvironmentInAnyCaseMeansTheOwnFolder)
{
    for (const char *name : {"vb6.exe", "VB6.EXE", "Vb6.Exe"}) {
        registerProxy(QByteArray("Exec=/opt/vs/") + name + " /run");
        EXPECT_EQ(located(), QStringLiteral("/opt/plugin/bin/RX24.ini")) << name;
    }
    registerProxy("Exec=/opt/vs/vb6.exe.real");
    EXPECT_EQ(located(), QStringLiteral("/opt/vs/RX24.ini"));
}

TEST_F(TemplateLocation, DefaultLookupFallsBackToTheProgramFolder)
{
    // Tests run with their own data directory, where no proxy is registered.
    ASSERT_TRUE(LocalServerLookup().localServer(QStringLiteral("veltoProxy.Application")).isEmpty());
    EXPECT_EQ(cRX24().templatePath(),
              QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("RX24.ini")));
}

TEST_F(TemplateLocation, ExplicitPathIsKept)
{
    cRX24 rx24(QStringLiteral("/tmp/x/RX24.ini"));
    EXPECT_EQ(rx24.templatePath(), QStringLiteral("/tmp/x/RX24.ini"));
    rx24.setTemplatePath(QStringLiteral("/tmp/y/RX24.ini"));
    EXPECT_EQ(rx24.templatePath(), QStringLiteral("/tmp/y/RX24.ini"));
}

TEST_F(TemplateLocation, MissingTemplateReadsAsEmpty)
{
    cRX24 rx24(m_services.filePath(QStringLiteral("none/RX24.ini")));
    EXPECT_EQ(rx24.ChannelCountByModuleType(0), 0);
    EXPECT_TRUE(rx24.SupportedFptsByModuleType(0).isEmpty());
    EXPECT_FALSE(rx24.SupportsDimmingByModuleType(0));
}

} // namespace
