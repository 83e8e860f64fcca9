// The main window is built when a start first needs it: a start that only
// shows About never builds it.
#include "ui/MainWindowOnDemand.h"

#include "MainWindowFixture.h"

namespace {

const QString HallCommand =
    QStringLiteral(" /COMMANDID:13 /CLASSID:7 /OBJECTNAME:Demo\\LNS System.Floor 1\\RX24 Hall");

class OnDemandWindow : public WorkflowFixture
{
protected:
    void SetUp() override
    {
        WorkflowFixture::SetUp();
        PlugInGlobals::MainWindow = &host();
    }
    void TearDown() override
    {
        m_host->Unload();
        m_host.reset();
        WorkflowFixture::TearDown();
    }
    MainWindowOnDemand &host() { return *m_host; }

private:
    std::unique_ptr<MainWindowOnDemand> m_host = std::make_unique<MainWindowOnDemand>();
};

TEST_F(OnDemandWindow, AStartWithoutOptionsShowsAboutWithoutBuildingTheWindow)
{
    PlugInMain::Main(QString());
    EXPECT_FALSE(host().isBuilt());
    EXPECT_EQ(MessageBox::lastShown().title, QStringLiteral("Info about tarvina RX24"));
    EXPECT_FALSE(host().IsLoaded());
    EXPECT_FALSE(host().isBuilt()) << "asking whether it is loaded builds nothing";
}

TEST_F(OnDemandWindow, ADirectorsCommandBuildsAndLoadsTheWindow)
{
    PlugInMain::Main(HallCommand);
    ASSERT_TRUE(host().isBuilt());
    EXPECT_TRUE(host().IsLoaded());
    ASSERT_NE(host().window().Configuration(), nullptr);
    EXPECT_EQ(host().window().Configuration()->Device()->name(), QStringLiteral("RX24 Hall"));
}

} // namespace
