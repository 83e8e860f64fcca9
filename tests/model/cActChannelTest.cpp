#include "ModelFixture.h"
#include "host/ResourceStrings.h"

namespace {

// The switch module KW8 in slot 1: eight one-contact inputs, on which the
// dual push-button types take two channels from an odd one.
class ChannelRules : public ModelFixture
{
protected:
    void SetUp() override
    {
        ModelFixture::SetUp();
        lmos.AddChannelObjects(rx24()->lonMarkObjects());
        modules.Add(MT_KW8);
        modules.Add(MT_NX8);
    }
    static const QString &single() { return typeName(0); }
    static const QString &dual() { return typeName(1); }
    static const QString &typeName(int code)
    {
        static QStringList names;
        if (names.isEmpty())
            for (int c = 0; c < 15; ++c)
                names.append(cActChannel::FptText(QStringLiteral("21201/%1").arg(c)));
        return names.at(code);
    }
};

TEST_F(ChannelRules, ATwoChannelFunctionLocksTheNextChannelAndFreesItWhenChangedBack)
{
    pick(row(1, 1), "cboObject", QStringLiteral("Channel1"));
    cLmo *lmo = lmos.Item(1);
    EXPECT_EQ(lmo->FptIndex()->Value(), 21201);
    EXPECT_EQ(lmo->ModuleNumber()->Value(), 1);
    EXPECT_EQ(lmo->ModuleChannel()->Value(), 1);
    EXPECT_EQ(lmo->ModuleType()->Value(), MT_KW8);
    EXPECT_EQ(row(1, 1)->GetCurrentTypeComboItemText(), single()); // the module's default function

    pick(row(1, 1), "cboType", dual());
    EXPECT_EQ(lmo->SwitchType()->Value(), 1);
    EXPECT_FALSE(list(row(1, 2), "cboObject")->isEnabled());
    EXPECT_FALSE(list(row(1, 2), "cboType")->isEnabled());

    pick(row(1, 1), "cboType", single());
    EXPECT_TRUE(list(row(1, 2), "cboObject")->isEnabled());
    EXPECT_EQ(valueChanges, 3);
}

TEST_F(ChannelRules, AnObjectIsOfferedOnOneChannelAtATime)
{
    pick(row(1, 1), "cboObject", QStringLiteral("Channel3"));
    EXPECT_TRUE(offered(row(1, 1), "cboObject").contains(QStringLiteral("Channel3")));
    EXPECT_FALSE(offered(row(1, 4), "cboObject").contains(QStringLiteral("Channel3")));
    EXPECT_FALSE(offered(row(2, 1), "cboObject").contains(QStringLiteral("Channel3")));
    EXPECT_TRUE(offered(row(1, 4), "cboObject").contains(QStringLiteral("Channel4")));

    // Given up on channel 1, it is offered everywhere again, and marked unused.
    pick(row(1, 1), "cboObject", ResourceStrings::LoadResString(1040, 1));
    EXPECT_TRUE(offered(row(2, 1), "cboObject").contains(QStringLiteral("Channel3")));
    cLmo *lmo = lmos.Item(3);
    EXPECT_EQ(lmo->FptIndex()->Value(), 65535);
    EXPECT_EQ(lmo->ModuleType()->Value(), 255);
    EXPECT_EQ(lmo->ModuleNumber()->Value(), 0);
    EXPECT_EQ(lmo->ModuleChannel()->Value(), 0);
}

TEST_F(ChannelRules, FunctionsThatDoNotFitTheChannelAreNotOffered)
{
    struct Case
    {
        int slot;
        int channel;
        bool dualOffered;
    };
    // KW8: a two-channel type starts on an odd channel only; NX8 on any
    // channel with one behind it; never on the last channel.
    const Case cases[] = {{1, 1, true}, {1, 2, false}, {1, 7, true}, {1, 8, false},
                          {2, 2, true}, {2, 7, true},  {2, 8, false}};
    for (const Case &c : cases) {
        pick(row(c.slot, c.channel), "cboObject",
             QStringLiteral("Channel%1").arg(c.channel + 8 * (c.slot - 1)));
        const QStringList types = offered(row(c.slot, c.channel), "cboType");
        EXPECT_EQ(types.contains(dual()), c.dualOffered) << c.slot << "/" << c.channel;
        EXPECT_TRUE(types.contains(single()));
    }
    // A channel whose neighbour holds an object cannot take a function that needs it.
    pick(row(1, 4), "cboObject", QStringLiteral("Channel12"));
    pick(row(1, 3), "cboObject", QStringLiteral("Channel11"));
    EXPECT_FALSE(offered(row(1, 3), "cboType").contains(dual()));
}

TEST_F(ChannelRules, ANewModuleTypeLetsTheObjectsGo)
{
    pick(row(1, 1), "cboObject", QStringLiteral("Channel1"));
    modules.Item(1)->setModuleType(MT_RP4);
    EXPECT_EQ(modules.Item(1)->ChannelCount(), 4);
    EXPECT_EQ(lmos.Item(1)->ActChannel(), nullptr);
    EXPECT_EQ(lmos.Item(1)->FptIndex()->Value(), 65535);
    EXPECT_EQ(lmos.Item(1)->ModuleNumber()->Value(), 0);
    // The rows stand on the slot's page, one below the other.
    EXPECT_EQ(row(1, 2)->parentWidget(), &pages[0]);
    EXPECT_EQ(row(1, 2)->y() - row(1, 1)->y(), 34);
}

// --- reading ------------------------------------------------------------------

TEST_F(ModelFixture, ReadingBindsWhatTheCpsStoreAndNothingElse)
{
    storeSlots({MT_KW8, MT_RP4, MT_JT2});
    storeBinding(1, 1, 1, MT_KW8, 21201);
    storeBinding(2, 2, 3, MT_RP4, 21400);
    storeBinding(3, 3, 1, MT_KW8, 21201); // slot 3 holds a JT2
    storeBinding(5, 3, 1, MT_JT2, 22400);
    // Object 4 belongs to another profile: skipped, object 5 keeps its number.
    {
        QSqlDatabase sql = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("profile"));
        sql.setDatabaseName(dir.filePath(QStringLiteral("networks.lnsdb")));
        ASSERT_TRUE(sql.open());
        ASSERT_TRUE(QSqlQuery(sql).exec(
            QStringLiteral("UPDATE lonmark_objects SET profile_key = 8000 WHERE position = 5 AND device_id = "
                           "(SELECT id FROM devices WHERE name = 'RX1')")));
        sql.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("profile"));
    const QList<QList<int>> before = allCpBytes();

    readDevice();
    EXPECT_EQ(lmos.Count(), 15);
    EXPECT_EQ(lmos.Find(4), nullptr);
    EXPECT_EQ(channelOf(1, 1)->LonmarkObject(), lmos.Item(1));
    EXPECT_EQ(channelOf(2, 3)->LonmarkObject(), lmos.Item(2));
    EXPECT_EQ(lmos.Item(3)->ActChannel(), nullptr);
    EXPECT_EQ(channelOf(3, 1)->LonmarkObject(), lmos.Item(5));
    EXPECT_TRUE(row(1, 1)->TypeComboValid());
    EXPECT_EQ(allCpBytes(), before);
}

// Values the template does not know never crash and never bind silently.
TEST_F(ModelFixture, UnknownValuesLeaveTheObjectUnboundOrItsTypeRedAndAreLogged)
{
    storeSlots({99, MT_KW8, MT_RP4});
    storeBinding(1, 1, 1, 99, 21201);     // a module type no template knows
    storeBinding(2, 2, 1, MT_KW8, 9999);  // a function nobody supports
    storeBinding(3, 3, 7, MT_RP4, 21400); // channel 7 of a four-channel module
    storeBinding(4, 2, 3, MT_KW8, 21201); // an event no switch sends
    setBytes(channelCp(QStringLiteral("PushEvent1"), 4), {99});
    storeBinding(6, 3, 2, MT_RP4, 21201); // a switch on a lighting module
    const QList<QList<int>> before = allCpBytes();

    readDevice();
    EXPECT_EQ(modules.Item(1)->ChannelCount(), 0);
    EXPECT_EQ(lmos.Item(1)->ActChannel(), nullptr);
    EXPECT_EQ(lmos.Item(2)->ActChannel(), nullptr);
    EXPECT_EQ(lmos.Item(3)->ActChannel(), nullptr);
    EXPECT_EQ(channelOf(2, 3)->LonmarkObject(), lmos.Item(4));
    EXPECT_FALSE(row(2, 3)->TypeComboValid());
    EXPECT_EQ(channelOf(3, 2)->LonmarkObject(), lmos.Item(6));
    EXPECT_FALSE(row(3, 2)->TypeComboValid());
    EXPECT_FALSE(lmos.Item(6)->ObjectParametersValid());

    QString log;
    for (const LogEntry &entry : PlugInGlobals::Logger->entries())
        log += entry.text + QLatin1Char('\n');
    for (const char *expected :
         {"Object 1 (\"Channel1\") stays unbound", "Object 2 (\"Channel2\") stays unbound", "function 9999",
          "Object 3 (\"Channel3\") stays unbound", "channel 7", "event 1 is 99",
          "Object 6 (\"Channel6\") on channel 2 of slot 3"})
        EXPECT_TRUE(log.contains(QLatin1String(expected))) << expected << "\n" << log.toStdString();
    EXPECT_EQ(allCpBytes(), before);
}

} // namespace
