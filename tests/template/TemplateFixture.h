#pragma once

#include "platform/AppError.h"
#include "template/cRX24.h"

#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// A small device template made for the template tests. Module types:
//   0: 8 channels, 1 terminal each, functions 21400, 22400 (+ 23400/7 extended)
//   1: 8 channels, 2 terminals each, Dimming -1
//   2: 4 channels, 2 terminals each, no Dimming key
//   3: no terminals per channel, Dimming 1
//   4: 300 channels, Dimming 2
//   5: list whose third item is empty, Dimming 0
//   6: no FPTs key; 7: -1 channels; 8 and 9: 2.5 and 3.5 channels
//   16: the NX8, 8 channels, 1 terminal each
// Terminals per function: 21400 1, 22400 2, 23400/7 3, 521/0 0, 21201/9 1;
// "520/1" has no key.
class TemplateFixture : public ::testing::Test
{
protected:
    static QByteArray templateText()
    {
        return QByteArrayLiteral("; test template\r\n"
                                 "[Modules]\r\n"
                                 "ChannelCount_0=8\r\n"
                                 "TerminalsPerChannel_0=1\r\n"
                                 "FPTs_0=21400,22400\r\n"
                                 "FPTsEx_0=23400/7\r\n"
                                 "ChannelCount_1=8\r\n"
                                 "TerminalsPerChannel_1=2\r\n"
                                 "FPTs_1=22400,21400,23400/7,521/0,520/1\r\n"
                                 "Dimming_1=-1\r\n"
                                 "ChannelCount_2=4\r\n"
                                 "TerminalsPerChannel_2=2\r\n"
                                 "FPTs_2=21201/9\r\n"
                                 "ChannelCount_3=2\r\n"
                                 "TerminalsPerChannel_3=0\r\n"
                                 "FPTs_3=21400\r\n"
                                 "Dimming_3=1\r\n"
                                 "ChannelCount_4=300\r\n"
                                 "TerminalsPerChannel_4=1\r\n"
                                 "Dimming_4=2\r\n"
                                 "ChannelCount_5=12abc\r\n"
                                 "FPTs_5=21400,22400,,23400/7\r\n"
                                 "FPTsEx_5=520/1\r\n"
                                 "Dimming_5=0\r\n"
                                 "FPTsEx_6=23400/7\r\n"
                                 "ChannelCount_7=-1\r\n"
                                 "ChannelCount_8=2.5\r\n"
                                 "ChannelCount_9=3.5\r\n"
                                 "ChannelCount_16=8\r\n"
                                 "TerminalsPerChannel_16=1\r\n"
                                 "FPTs_16=22400,21201/9\r\n"
                                 "[FPTs]\r\n"
                                 "21400=1\r\n"
                                 "22400=2\r\n"
                                 "23400/7=3\r\n"
                                 "521/0=0\r\n"
                                 "21201/9=1\r\n"
                                 "[SwitchEvents]\r\n"
                                 "OutputNvTypesBySwitchEvent_9=117,95,81,22\r\n"
                                 "OutputNvTypesBySwitchEvent_14=81,95,117,83\r\n"
                                 "OutputNvTypesBySwitchEvent_0=95,22\r\n"
                                 "OutputNvTypesBySwitchEvent_-1=83\r\n"
                                 "[21400]\r\n"
                                 "InputPrimeValueDefaultType=95\r\n"
                                 "InputPrimeValueTypes=95,81,117\r\n"
                                 "InputSecValueDefaultType=81\r\n"
                                 "InputSecValueTypes_0=95,81\r\n"
                                 "InputSecValueTypes_1=81,117\r\n"
                                 "InputSecValueTypes_2=95\r\n"
                                 "Priorities=0,1,2\r\n"
                                 "PriorityDefault=1\r\n"
                                 "OutputValueDefaultType=81\r\n"
                                 "OutputValueTypes=81,95\r\n"
                                 "PlugIn=veltoSorvanKWx.Application\r\n"
                                 "[21201]\r\n"
                                 "InputPrimeValueDefaultType=95\r\n"
                                 "InputPrimeValueTypes=22\r\n"
                                 "InputPrimeValueTypesByOutputValueType_95=95,81\r\n"
                                 "InputPrimeValueTypesByOutputValueType_81=81\r\n"
                                 "InputSecValueDefaultType=95\r\n"
                                 "InputSecValueTypes_0=22\r\n"
                                 "InputSecValueTypesByOutputValueTypeAndPriority_95_0=95\r\n"
                                 "InputSecValueTypesByOutputValueTypeAndPriority_95_2=117,95\r\n"
                                 "InputSecValueTypesByOutputValueTypeAndPriority_81_3=81\r\n"
                                 "Priorities=0,2,3\r\n"
                                 "PriorityDefault=2\r\n"
                                 "OutputValueDefaultType=95\r\n"
                                 "OutputValueTypes=95,81,117\r\n"
                                 "[23400]\r\n"
                                 "InputPrimeValueDefaultType=70000\r\n"
                                 "PriorityDefault=256\r\n");
    }

    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        const QString path = m_dir.filePath(QStringLiteral("RX24.ini"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(templateText());
        file.close();
        m_rx24 = std::make_unique<cRX24>(path);
    }

    cRX24 &rx24() { return *m_rx24; }

    // The number of the AppError that call raises; 0 when it raises none.
    static long errorNumberOf(const std::function<void()> &call)
    {
        try {
            call();
        } catch (const AppError &error) {
            return error.number();
        }
        return 0;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<cRX24> m_rx24;
};
