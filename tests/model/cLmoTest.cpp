#include "ModelFixture.h"
#include "model/M_SwitchObject.h"
#include "params/cConfigProp.h"

namespace {

// Channel object 1 bound, as the user leaves it, to channel 1 of a module.
class LmoDefaults : public ModelFixture
{
protected:
    cLmo *bind(int moduleType, const QString &type)
    {
        storeSlots({moduleType});
        readDevice();
        pick(row(1, 1), "cboObject", QStringLiteral("Channel1"));
        if (!type.isEmpty())
            pick(row(1, 1), "cboType", cActChannel::FptText(type));
        return lmos.Item(1);
    }
    static int typeOf(cMonitorPoint *point) { return point->NetworkVariable()->typeId(); }
    // Allows nothing but type on the NV of channel object 1, as a device that
    // refuses other types.
    void restrictNv(const QString &nv, int type) const
    {
        QSqlDatabase sql = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("restrict"));
        sql.setDatabaseName(dir.filePath(QStringLiteral("networks.lnsdb")));
        ASSERT_TRUE(sql.open());
        ASSERT_TRUE(
            QSqlQuery(sql).exec(QStringLiteral("UPDATE nvs SET allowed_types = '%1' WHERE name = '%2' AND "
                                               "object_id = (SELECT o.id FROM lonmark_objects o JOIN "
                                               "devices d ON o.device_id = d.id WHERE d.name = 'RX1' AND "
                                               "o.position = 2)")
                                    .arg(type)
                                    .arg(nv)));
        sql.close();
        sql = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("restrict"));
    }
};

TEST(SwitchTable, EveryPredefinedCodeSurvivesTheRoundTripAndNamesComeFromTheTextTable)
{
    EXPECT_EQ(M_SwitchObject::SwitchTypeName(15), QString());
    EXPECT_EQ(M_SwitchObject::SwitchTypeName(-1), QString());
    EXPECT_EQ(M_SwitchObject::SwitchTypeName(8), QStringLiteral("dim with dual pushbutton"));
    const M_SwitchObject::SwitchRow &sunblind = M_SwitchObject::SwitchTableRow(10);
    EXPECT_EQ(sunblind, (M_SwitchObject::SwitchRow{EV_SLAT_UP, EV_NO_MSG, EV_SB_UP, EV_NO_MSG, EV_SLAT_DOWN,
                                                   EV_NO_MSG, EV_SB_DOWN, EV_NO_MSG, SWT_DOUBLE}));
}

TEST_F(ModelFixture, SwitchTypesConvertBothWays)
{
    lmos.AddChannelObjects(rx24()->lonMarkObjects());
    cLmo &lmo = *lmos.Item(1);
    for (int code = 0; code <= 12; ++code) {
        M_SwitchObject::ApplySwitchType(code, lmo);
        EXPECT_EQ(M_SwitchObject::SwitchTypeOfLmo(lmo), code);
    }
    // Events that match no predefined row are user defined, by the switch type.
    M_SwitchObject::ApplySwitchType(0, lmo);
    lmo.HoldEvent1()->setValue(EV_STOP);
    EXPECT_EQ(M_SwitchObject::SwitchTypeOfLmo(lmo), 13);
    lmo.SwitchType()->setValue(SWT_DOUBLE);
    EXPECT_EQ(M_SwitchObject::SwitchTypeOfLmo(lmo), 14);
    // The type column is not compared: on with push 1, off with push 2 is type 1.
    M_SwitchObject::ApplySwitchType(1, lmo);
    lmo.SwitchType()->setValue(SWT_SINGLE);
    EXPECT_EQ(M_SwitchObject::SwitchTypeOfLmo(lmo), 1);

    const QList<int> before = M_SwitchObject::SwitchEventsOfLmo(lmo);
    EXPECT_THROW(M_SwitchObject::ApplySwitchType(15, lmo), AppError);
    EXPECT_EQ(M_SwitchObject::SwitchEventsOfLmo(lmo), before);
    EXPECT_EQ(lmo.SwitchType()->Value(), SWT_SINGLE);
}

TEST_F(LmoDefaults, ANewFunctionGetsItsNvTypesAndRangesOnceAndIsWrittenWithThem)
{
    struct Case
    {
        int moduleType;
        const char *type;
        int prime, sec, out;
        int maxRange, sendDelta, safety;
    };
    const Case cases[] = {
        {MT_RP4, "21400", 95, 95, 95, 51201, 513, 51201},
        {MT_JT2, "22400", 117, 95, 117, 456, 258, 1024},
        {MT_HF4_10V, "23400/7", 81, 81, 81, 20000, 200, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.type);
        cLmo *lmo = bind(c.moduleType, QString::fromLatin1(c.type));
        lmo->SafetyValue()->setValue(0);
        ASSERT_TRUE(lmo->ObjectConfigurationIsValid());
        lmo->FetchRequiredCps();
        ASSERT_TRUE(lmo->SetDefaultValuesIfRequired());
        // The types wait for the write's transaction.
        EXPECT_TRUE(lmo->HasPendingNvTypes());
        ASSERT_TRUE(lmo->WriteNvTypes());
        EXPECT_EQ(typeOf(lmo->PrimValue()), c.prime);
        EXPECT_EQ(typeOf(lmo->SecValue()), c.sec);
        EXPECT_EQ(typeOf(lmo->Output()), c.out);
        EXPECT_EQ(lmo->MaxRange()->Value(), c.maxRange);
        EXPECT_EQ(lmo->SendDelta()->Value(), c.sendDelta);
        EXPECT_EQ(lmo->SafetyValue()->Value(), c.safety); // SNVT_lev_percent leaves it alone
        EXPECT_EQ(lmo->OutputMinSendTime()->Value(), 1);
        EXPECT_FALSE(lmo->MaxRange()->DontWriteToLns());
        EXPECT_FALSE(lmo->Scenes()->DontWriteToLns());

        // Once written, the same function needs no defaults again.
        lmo->RefreshLastValues();
        lmo->MaxRange()->setValue(7);
        ASSERT_TRUE(lmo->SetDefaultValuesIfRequired());
        EXPECT_EQ(lmo->MaxRange()->Value(), 7);
        EXPECT_TRUE(lmo->MaxRange()->DontWriteToLns());
        modules.Clear();
    }
}

TEST_F(LmoDefaults, TheNvTypesChangeInOrderAndStopAtTheFirstRefusal)
{
    restrictNv(QStringLiteral("SecValue"), 95);
    cLmo *lmo = bind(MT_HF4_10V, QStringLiteral("23400/7"));
    lmo->FetchRequiredCps();
    EXPECT_TRUE(lmo->SetDefaultValuesIfRequired());
    EXPECT_FALSE(lmo->WriteNvTypes());
    EXPECT_EQ(typeOf(lmo->PrimValue()), 81);
    EXPECT_EQ(typeOf(lmo->SecValue()), 95); // refused
    EXPECT_EQ(typeOf(lmo->Output()), 95);   // not tried
    const QList<LogLine> &lines = LogService::instance().Lines();
    ASSERT_GE(lines.size(), 2);
    EXPECT_TRUE(lines.at(lines.size() - 2).text.contains(QStringLiteral("\"SecValue\"")));
    EXPECT_EQ(lines.at(lines.size() - 2).colour, LogService::Red);
}

TEST_F(LmoDefaults, AnotherFanStageSetsTheLevelsAndContinuousControl)
{
    cLmo *lmo = bind(MT_GZ4, QStringLiteral("23400/3"));
    lmo->FetchRequiredCps();
    ASSERT_TRUE(lmo->SetDefaultValuesIfRequired());
    lmo->RefreshLastValues();
    lmo->ActuateType()->setValue(AT_4_LEVEL);
    lmo->ActuateControl()->setValue(AC_ONOFF);
    ASSERT_TRUE(lmo->SetDefaultValuesIfRequired());
    EXPECT_EQ(lmo->DiscLevels()->Value(), 4);
    EXPECT_EQ(lmo->ActuateControl()->Value(), AC_CONT);
    EXPECT_FALSE(lmo->DiscLevels()->DontWriteToLns());
    // Nothing changed since: none of the three is written again.
    lmo->RefreshLastValues();
    ASSERT_TRUE(lmo->SetDefaultValuesIfRequired());
    EXPECT_TRUE(lmo->ActuateType()->DontWriteToLns());
    EXPECT_TRUE(lmo->DiscLevels()->DontWriteToLns());
}

// After the defaults, every predefined switch type leaves its object with NV
// types its events allow, and a user-defined type keeps its event CPs.
TEST_F(LmoDefaults, EverySwitchTypeEndsWithNvTypesItsEventsAllow)
{
    for (int code = 0; code <= 12; ++code) {
        SCOPED_TRACE(code);
        cLmo *lmo = bind(MT_KW16, QString());
        pick(row(1, 1), "cboType", M_SwitchObject::SwitchTypeName(code));
        EXPECT_EQ(cActChannel::FptStringOfLmo(*lmo), QStringLiteral("21201/%1").arg(code));
        lmo->FetchRequiredCps();
        ASSERT_TRUE(lmo->SetDefaultValuesIfRequired());
        params.WriteToLns(); // the check reads the priority from the device
        EXPECT_FALSE(lmo->SwitchNvTypesInvalid())
            << typeOf(lmo->PrimValue()) << " " << typeOf(lmo->SecValue()) << " " << typeOf(lmo->Output());
        EXPECT_FALSE(lmo->PushEvent1()->DontWriteToLns());
        modules.Clear();
    }
    cLmo *lmo = bind(MT_KW16, QStringLiteral("21201/13"));
    lmo->FetchRequiredCps();
    ASSERT_TRUE(lmo->SetDefaultValuesIfRequired());
    lmo->RefreshLastValues();
    lmo->ReleaseEvent1()->setValue(EV_STOP);
    ASSERT_TRUE(lmo->SetDefaultValuesIfRequired());
    EXPECT_TRUE(lmo->PushEvent1()->DontWriteToLns());
}

TEST_F(LmoDefaults, AnUnusedObjectGetsNoDefaultsAndNoFunctionCpsAreWritten)
{
    lmos.AddChannelObjects(rx24()->lonMarkObjects());
    cLmo *lmo = lmos.Item(2);
    EXPECT_FALSE(lmo->ObjectConfigurationIsValid());
    lmo->DisableFptSpecificCpWriting();
    for (cParamRaw *cp : QList<cParamRaw *>{lmo->MaxRange(), lmo->ActuateType(), lmo->PushEvent1(),
                                            lmo->AnalogInputType(), lmo->DiscLevels()})
        EXPECT_TRUE(cp->DontWriteToLns()) << cp->Name().toStdString();
    EXPECT_TRUE(lmo->Scenes()->DontWriteToLns());
    EXPECT_TRUE(lmo->ObjectParametersValid());
}

} // namespace
