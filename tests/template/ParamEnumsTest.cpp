#include "template/ParamEnums.h"

#include <gtest/gtest.h>
#include <type_traits>

namespace {

TEST(ParamEnums, AreSigned32BitTypes)
{
    static_assert(std::is_same_v<std::underlying_type_t<eVeltoModuleType>, qint32>);
    static_assert(std::is_same_v<std::underlying_type_t<eSnvtType>, qint32>);
    static_assert(std::is_same_v<std::underlying_type_t<eVeltoButtonEvent>, qint32>);
    EXPECT_EQ(sizeof(eHvacType), 4u);
}

TEST(ParamEnums, EmptyMarkersHaveRawAndSignedValues)
{
    EXPECT_EQ(BM_NUL_RAW, 255);
    EXPECT_EQ(BM_NUL, -1);
    EXPECT_EQ(MT_NUL_UNSIGNED, 255);
    EXPECT_EQ(MT_NUL, -1);
    EXPECT_EQ(SET_NUL_RAW, 255);
    EXPECT_EQ(SET_NUL, -1);
    EXPECT_EQ(NU_NUL_UNSIGNED, 255);
    EXPECT_EQ(SU_NUL_UNSIGNED, 255);
    EXPECT_EQ(BEV_NUL_UNSIGNED, 255);
    EXPECT_EQ(BEV_NUL, -1);
}

TEST(ParamEnums, ByteFfReadsAsEitherEmptySlotMarker)
{
    const quint8 raw = 0xFF;
    EXPECT_EQ(static_cast<int>(raw), MT_NUL_UNSIGNED);
    EXPECT_EQ(static_cast<int>(static_cast<qint8>(raw)), MT_NUL);
}

TEST(ParamEnums, ControlModeHasGaps)
{
    EXPECT_EQ(CM_TOGGLE, 2);
    EXPECT_EQ(CM_DIM, 5);
    EXPECT_EQ(CM_SUNBL, 8);
    EXPECT_EQ(CM_WINDOW_ON_OFF, 9);
    EXPECT_EQ(CM_WINDOW_POS, 10);
}

TEST(ParamEnums, ButtonEventJumpsToTheNoMessageCodeOfPushEvents)
{
    EXPECT_EQ(BEV_TOGGLE, 9);
    EXPECT_EQ(BEV_NO_MSG, 14);
    EXPECT_EQ(static_cast<int>(BEV_NO_MSG), static_cast<int>(EV_NO_MSG));
    EXPECT_EQ(EV_SEND_INVALID, -1);
    EXPECT_EQ(EV_FAN_AUTO, 19);
}

TEST(ParamEnums, PublishedNamesKeepTheirSpelling)
{
    EXPECT_EQ(PA_CLASSID_COMBOBOX_PARAMTER, 1002);
    EXPECT_EQ(PA_CLASSID_CONFIG_PROPERTY, 1007);
    EXPECT_EQ(unsigned_, 0);
    EXPECT_EQ(Signed, 1);
    EXPECT_EQ(SNVT_volt_mil, 30);
    EXPECT_EQ(UNIT_UserDefined, 29);
    EXPECT_EQ(RES_0_0_0_1, 10);
    EXPECT_EQ(LM_DISABLED_GREY_TEXT, 6);
    EXPECT_EQ(LE_WRONG_DATAFILE_VERSION, 4);
}

TEST(ParamEnums, ModuleTypesRunFrom0To20)
{
    EXPECT_EQ(MT_KW8, 0);
    EXPECT_EQ(MT_HF4, 8);
    EXPECT_EQ(MT_NX8, 16);
    EXPECT_EQ(MT_JT4_DC, 17);
    EXPECT_EQ(MT_KW4, 20);
    EXPECT_EQ(HVAC_ICE, 11);
    EXPECT_EQ(CTRL_PUS_REMAIN, -1);
    EXPECT_EQ(PRIO_SAFETY, 7);
}

} // namespace
