#include "platform/services/NvTypeChanger.h"

#include "ServicesLnsFixture.h"
#include "platform/services/LnsSessionHelper.h"

namespace {
class NvTypeChangerTest : public ServicesLnsFixture
{
protected:
    LnsRef<LnsNetworkVariable> primeValueOfChannel1()
    {
        EXPECT_TRUE(m_helper.connect(m_session, m_server.get(), 0));
        EXPECT_TRUE(m_helper.openNetwork(m_session, QStringLiteral("Building A"), false));
        m_helper.openSystem(m_session, QStringLiteral("LNS System.Floor 1.Room 12"));
        const LnsRef<LnsLonMarkObject> channel1 = m_session.appDevices->item(1)->lonMarkObjects()->item(2);
        return channel1->networkVariables()->item(QStringLiteral("PrimeValue"));
    }

    LnsSessionHelper m_helper;
    LnsSession m_session;
    NvTypeChanger m_changer;
};

const QString StandardTypes = QStringLiteral("0000000000000000");
} // namespace

TEST_F(NvTypeChangerTest, ChangesToAnAllowedType)
{
    LnsRef<LnsNetworkVariable> nv = primeValueOfChannel1();
    ASSERT_TRUE(nv);
    QString error;
    EXPECT_TRUE(m_changer.changeType(nv, 81, StandardTypes, 0, error));
    EXPECT_TRUE(error.isEmpty());
    ASSERT_TRUE(nv);
    EXPECT_EQ(nv->typeId(), 81);
}

TEST_F(NvTypeChangerTest, RefusedTypeReportsTheReasonAndKeepsTheType)
{
    LnsRef<LnsNetworkVariable> nv = primeValueOfChannel1();
    const int before = nv->typeId();
    QString error;
    EXPECT_FALSE(m_changer.changeType(nv, 3, StandardTypes, 0, error)); // not among the allowed types
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(nv->typeId(), before);
}

TEST_F(NvTypeChangerTest, MissingNvOrInvalidTypeFails)
{
    LnsRef<LnsNetworkVariable> none;
    QString error;
    EXPECT_FALSE(m_changer.changeType(none, 81, StandardTypes, 0, error));
    EXPECT_FALSE(error.isEmpty());
    LnsRef<LnsNetworkVariable> nv = primeValueOfChannel1();
    EXPECT_FALSE(m_changer.changeType(nv, 0, StandardTypes, 0, error));
    EXPECT_FALSE(error.isEmpty());
}
