#include "ui/AboutDialog.h"

#include "host/AppVersion.h"
#include "host/ResourceStrings.h"

#include <QLabel>
#include <gtest/gtest.h>

TEST(AboutDialog, ShowsTitleVersionAndPicture)
{
    ResourceStrings::SetLanguageOffset(0);
    AboutDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Info about tarvina RX24"));
    const auto *version = dialog.findChild<QLabel *>(QStringLiteral("versionLine"));
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(),
              QStringLiteral("velto tarvina RX24 (") + AppVersion::fullVersionText() + QLatin1Char(')'));
    const auto *picture = dialog.findChild<QLabel *>(QStringLiteral("picture"));
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(picture->pixmap().isNull());
    EXPECT_TRUE(dialog.isModal());
}

TEST(AboutDialog, VersionLineHasNoLeadingZeros)
{
    ResourceStrings::SetLanguageOffset(0);
    EXPECT_EQ(AboutDialog::versionLine(2, 0, 15), QStringLiteral("velto tarvina RX24 (2.0.15)"));
    EXPECT_EQ(AboutDialog::versionLine(2, 0, 5), QStringLiteral("velto tarvina RX24 (2.0.5)"));
}

TEST(AboutDialog, GermanTitle)
{
    ResourceStrings::SetLanguageOffset(ResourceStrings::German);
    AboutDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), ResourceStrings::LoadResString(1850));
    EXPECT_NE(dialog.windowTitle(), QStringLiteral("Info about tarvina RX24"));
    ResourceStrings::SetLanguageOffset(0);
}
