#include "platform/services/MessageBox.h"

#include <gtest/gtest.h>

namespace {
class MessageBoxTest : public ::testing::Test
{
protected:
    void SetUp() override { MessageBox::clearTestRecord(); }
    void TearDown() override { MessageBox::clearTestRecord(); }
};
} // namespace

TEST_F(MessageBoxTest, QueuedAnswersComeBackInOrderAndBoxesAreRecorded)
{
    MessageBox::queueAnswer(MessageBox::Button::No);
    MessageBox::queueAnswer(MessageBox::Button::Cancel);
    EXPECT_EQ(MessageBox::show(QStringLiteral("Save changes?"), QStringLiteral("RX24 Room 12"),
                               MessageBox::Icon::Question, MessageBox::Buttons::YesNoCancel),
              MessageBox::Button::No);
    EXPECT_EQ(MessageBox::show(QStringLiteral("Again?"), QStringLiteral("t"), MessageBox::Icon::Question,
                               MessageBox::Buttons::OKCancel),
              MessageBox::Button::Cancel);
    const QList<MessageBox::Shown> shown = MessageBox::shownBoxes();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown.at(0).text, QStringLiteral("Save changes?"));
    EXPECT_EQ(shown.at(0).title, QStringLiteral("RX24 Room 12"));
    EXPECT_EQ(shown.at(0).icon, MessageBox::Icon::Question);
    EXPECT_EQ(shown.at(0).buttons, MessageBox::Buttons::YesNoCancel);
    EXPECT_EQ(shown.at(1).answer, MessageBox::Button::Cancel);
}

TEST_F(MessageBoxTest, WithoutQueuedAnswerTheDefaultButtonIsChosen)
{
    EXPECT_EQ(MessageBox::show(QStringLiteral("x"), QStringLiteral("t"), MessageBox::Icon::Question,
                               MessageBox::Buttons::YesNo, MessageBox::Button::No),
              MessageBox::Button::No);
    // No default given: the first button of the set.
    EXPECT_EQ(MessageBox::show(QStringLiteral("x"), QStringLiteral("t"), MessageBox::Icon::Question,
                               MessageBox::Buttons::YesNo),
              MessageBox::Button::Yes);
    // A default outside the set falls back to the first button.
    EXPECT_EQ(MessageBox::show(QStringLiteral("x"), QStringLiteral("t"), MessageBox::Icon::Critical,
                               MessageBox::Buttons::OK, MessageBox::Button::No),
              MessageBox::Button::OK);
    EXPECT_EQ(MessageBox::lastShown().defaultButton, MessageBox::Button::OK);
    // Clearing forgets queued answers.
    MessageBox::queueAnswer(MessageBox::Button::No);
    MessageBox::clearTestRecord();
    EXPECT_EQ(MessageBox::show(QStringLiteral("x"), QStringLiteral("t"), MessageBox::Icon::None,
                               MessageBox::Buttons::YesNo),
              MessageBox::Button::Yes);
    EXPECT_EQ(MessageBox::shownBoxes().size(), 1);
}
