#pragma once

#include "director/DemoNetwork.h"
#include "workflows/WorkflowFixture.h"

// The workflow fixture's network with the demo devices in it, each opened
// as a director opens it.
class DemoNetworkFixture : public WorkflowFixture
{
protected:
    void SetUp() override
    {
        WorkflowFixture::SetUp();
        m_server->connectServer(0);
        DemoNetwork(*m_server, QStringLiteral(RX24_SOURCE_DIR "/resources/data/RX24.ini"))
            .create(QStringLiteral(RX24_SOURCE_DIR "/resources/data/RX24.xif"));
        m_server->disconnectServer();
    }
    // Ends the plug-in as closing its window does, for the next open().
    void close()
    {
        configWindow.Unload();
        LcaPlugIn::EndApp();
        LogService::reset();
    }
};
