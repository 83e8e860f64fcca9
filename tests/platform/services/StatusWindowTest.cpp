#include "platform/services/StatusWindow.h"

#include <QLabel>
#include <QProgressBar>
#include <gtest/gtest.h>

TEST(StatusWindowTest, TextAndProgressShowInTheNamedWidgets)
{
    StatusWindow window;
    window.setText(QStringLiteral("Connecting to LNS server ..."));
    window.setProgress(40);
    auto *text = window.findChild<QLabel *>(QStringLiteral("statusText"));
    auto *progress = window.findChild<QProgressBar *>(QStringLiteral("progress"));
    ASSERT_NE(text, nullptr);
    ASSERT_NE(progress, nullptr);
    ASSERT_NE(window.findChild<QLabel *>(QStringLiteral("picture")), nullptr);
    EXPECT_EQ(text->text(), QStringLiteral("Connecting to LNS server ..."));
    EXPECT_EQ(progress->value(), 40);
}

TEST(StatusWindowTest, ProgressIsClampedAndClearResets)
{
    StatusWindow window;
    window.setProgress(150);
    EXPECT_EQ(window.progress(), 100);
    window.setProgress(-3);
    EXPECT_EQ(window.progress(), 0);
    window.setProgress(70);
    window.setText(QStringLiteral("x"));
    window.clear();
    EXPECT_EQ(window.progress(), 0);
    EXPECT_TRUE(window.text().isEmpty());
}
