#include "platform/AppError.h"
#include "template/cRX24.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

// The device template the program ships with: every module type must be
// usable with it.
class ShippedTemplate : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString path = QStringLiteral(RX24_SOURCE_DIR "/resources/data/RX24.ini");
        if (!QFileInfo::exists(path))
            GTEST_SKIP() << "no shipped RX24.ini yet";
        m_rx24 = std::make_unique<cRX24>(path);
    }

    static constexpr int FirstModuleType = 0;
    static constexpr int LastModuleType = 20;

    std::unique_ptr<cRX24> m_rx24;
};

TEST_F(ShippedTemplate, EveryModuleTypeHasChannelsTerminalsAndADefaultFunction)
{
    for (int mt = FirstModuleType; mt <= LastModuleType; ++mt) {
        SCOPED_TRACE(mt);
        EXPECT_GT(m_rx24->ChannelCountByModuleType(mt), 0);
        EXPECT_GT(m_rx24->TerminalsPerChannelByModuleType(mt), 0);
        EXPECT_NO_THROW(m_rx24->DefaultFptByModuleType(mt));
    }
}

TEST_F(ShippedTemplate, EveryFunctionFitsOnTheFirstChannel)
{
    for (bool extended : {false, true}) {
        m_rx24->setExtendedFptsEnabled(extended);
        for (int mt = FirstModuleType; mt <= LastModuleType; ++mt) {
            for (const QString &fpt : m_rx24->SupportedFptsByModuleType(mt)) {
                SCOPED_TRACE(QStringLiteral("module type %1, %2").arg(mt).arg(fpt).toStdString());
                EXPECT_GT(m_rx24->UsedTerminalsBySupportedFpt(fpt), 0);
                EXPECT_TRUE(m_rx24->ModuleChannelSupportsFpt(mt, 1, fpt));
            }
        }
    }
}

TEST_F(ShippedTemplate, FunctionsUseKnownFptKeys)
{
    const QList<int> keys{520, 521, 21400, 22400, 23400, 21201};
    m_rx24->setExtendedFptsEnabled(true);
    for (int mt = FirstModuleType; mt <= LastModuleType; ++mt) {
        for (const QString &fpt : m_rx24->SupportedFptsByModuleType(mt))
            EXPECT_TRUE(keys.contains(fpt.section(QLatin1Char('/'), 0, 0).toInt())) << fpt.toStdString();
    }
}

TEST_F(ShippedTemplate, EveryModuleTypeIsOfferedForItsDefaultFunction)
{
    for (int mt = FirstModuleType; mt <= LastModuleType; ++mt) {
        m_rx24->setFptIndex(m_rx24->DefaultFptByModuleType(mt).section(QLatin1Char('/'), 0, 0).toInt());
        EXPECT_TRUE(m_rx24->SupportedModuleTypes().contains(mt)) << mt;
    }
}

TEST_F(ShippedTemplate, DefaultNvTypesAreAllowed)
{
    for (int key : {520, 521, 21400, 22400, 23400}) {
        SCOPED_TRACE(key);
        m_rx24->setFptIndex(key);
        EXPECT_TRUE(
            m_rx24->PrimeInputNvTypeSupportedByFptIndex(key, m_rx24->DefaultNvTypePrimeInputByFptIndex(key)));
        EXPECT_TRUE(m_rx24->OutputNvTypeSupportedByFptIndex(key, m_rx24->DefaultNvTypeOutputByFptIndex(key)));
        const int sec = m_rx24->DefaultNvTypeSecInputByFptIndex(key);
        const int priority = m_rx24->DefaultSecInputPriorityByFptIndex(key);
        EXPECT_TRUE(m_rx24->SupportedPrioritiesSecInput().contains(priority));
        EXPECT_TRUE(m_rx24->SecInputNvTypePriorityCombiIsValid(sec, priority));
    }
}

TEST_F(ShippedTemplate, SwitchDefaultsFormAValidCombination)
{
    const int key = cRX24::SwitchFptKey;
    const int out = m_rx24->DefaultNvTypeOutputByFptIndex(key);
    EXPECT_TRUE(m_rx24->OutputNvTypeSupportedByFptIndex(key, out));
    EXPECT_TRUE(m_rx24->PrimeInputNvTypeSupportedByFptIndexAndOutputNvType(
        key, out, m_rx24->DefaultNvTypePrimeInputByFptIndex(key)));
    EXPECT_TRUE(m_rx24->SecInputNvTypeSupportedByFptIndexAndOutputNvTypeAndPriority(
        key, out, m_rx24->DefaultSecInputPriorityByFptIndex(key),
        m_rx24->DefaultNvTypeSecInputByFptIndex(key)));
}

TEST_F(ShippedTemplate, EveryButtonEventOffersAnOutputType)
{
    for (int ev = -1; ev <= 19; ++ev)
        EXPECT_FALSE(m_rx24->SupportedNvTypesOutputBySwitchEvents({ev}).isEmpty()) << ev;
}

} // namespace
