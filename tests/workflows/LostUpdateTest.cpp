// Two windows (or users) on one device: the later Apply never undoes the
// earlier one unseen.
#include "WorkflowFixture.h"
#include "support/NetDbEngines.h"
#include "workflows/WriteHistory.h"

namespace {

class LostUpdate : public WorkflowFixture, public ::testing::WithParamInterface<NetDbEngineKind>
{
protected:
    bool databaseOnServer() const override { return GetParam() == NetDbEngineKind::Server; }
    // The window has the light and the switch, not yet written; meanwhile
    // another user writes the device with a name of its own. (The device's
    // objects count its node object first: channel object 3 is "object 4".)
    void otherUserWritesFirst()
    {
        configureLightAndSwitch();
        config().Lmos().Item(3)->setName(QStringLiteral("Mine"));
        cConfiguration other(device(QStringLiteral("RX24 Hall")),
                             QStringLiteral(RX24_SOURCE_DIR "/resources/data/RX24.ini"));
        ASSERT_TRUE(other.Open());
        other.Lmos().Item(4)->setName(QStringLiteral("Theirs"));
        ASSERT_TRUE(other.WriteSettings(true));
        afterOther = stateOf(QStringLiteral("RX24 Hall"), true);
        MessageBox::clearTestRecord();
    }
    int entries() { return static_cast<int>(device(QStringLiteral("RX24 Hall"))->history().size()); }

    QStringList afterOther;
};

TEST_P(LostUpdate, ApplyAfterAnotherWriteAsksAndCancelWritesNothing)
{
    otherUserWritesFirst();
    MessageBox::queueAnswer(MessageBox::Button::Cancel);
    config().WriteParameters();
    const MessageBox::Shown asked = MessageBox::lastShown();
    EXPECT_TRUE(asked.text.contains(WriteHistory::userName())) << asked.text.toStdString();
    EXPECT_TRUE(asked.text.contains(WriteHistory::hostName()));
    EXPECT_EQ(asked.buttons, MessageBox::Buttons::YesNoCancel);
    EXPECT_EQ(stateOf(QStringLiteral("RX24 Hall"), true), afterOther);
    EXPECT_EQ(entries(), 1);
    EXPECT_TRUE(LogService::instance().ApplyEnabled()) << "the user's changes are still to be written";
}

TEST_P(LostUpdate, ReadingAgainKeepsTheUsersEditsOnTopOfTheOtherWrite)
{
    otherUserWritesFirst();
    MessageBox::queueAnswer(MessageBox::Button::Yes);
    config().WriteParameters();
    EXPECT_EQ(stateOf(QStringLiteral("RX24 Hall"), true), afterOther) << "reading again writes nothing";
    EXPECT_EQ(config().Lmos().Item(4)->Name(), QStringLiteral("Theirs"));
    EXPECT_EQ(config().Lmos().Item(3)->Name(), QStringLiteral("Mine"));
    EXPECT_EQ(config().Lmos().Item(1)->Name(), QStringLiteral("Light Hall"));

    // The next Apply writes both without asking again.
    MessageBox::clearTestRecord();
    EXPECT_TRUE(config().WriteParameters());
    EXPECT_TRUE(MessageBox::shownBoxes().isEmpty());
    const QStringList state = stateOf(QStringLiteral("RX24 Hall"), true);
    EXPECT_TRUE(state.contains(QStringLiteral("object 5 name: Theirs")));
    EXPECT_TRUE(state.contains(QStringLiteral("object 4 name: Mine")));
    EXPECT_EQ(entries(), 2);
}

TEST_P(LostUpdate, OverwritingWritesTheWindowsSetOverTheOtherWrite)
{
    otherUserWritesFirst();
    MessageBox::queueAnswer(MessageBox::Button::No);
    config().WriteParameters();
    const QStringList state = stateOf(QStringLiteral("RX24 Hall"), true);
    EXPECT_FALSE(state.contains(QStringLiteral("object 5 name: Theirs")));
    EXPECT_TRUE(state.contains(QStringLiteral("object 4 name: Mine")));
    EXPECT_EQ(entries(), 2);
    // The overwritten write is what the history keeps from before: it can be had back.
    ConfigurationSet before;
    ASSERT_TRUE(WriteHistory::setBefore(*device(QStringLiteral("RX24 Hall")), 2, before));
    EXPECT_EQ(before.names.value(4), QStringLiteral("Theirs"));
}

RX24_ON_BOTH_ENGINES(LostUpdate);

} // namespace
