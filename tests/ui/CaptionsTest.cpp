#include "ui/Captions.h"

#include "host/ResourceStrings.h"
#include "ui/TabStripControl.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class CaptionsTest : public ::testing::Test
{
protected:
    void TearDown() override { ResourceStrings::SetLanguageOffset(ResourceStrings::English); }

    template <typename Widget> Widget *tagged(const QString &tag)
    {
        auto *widget = new Widget(&form);
        widget->setProperty("tag", tag);
        widget->setToolTip(QStringLiteral("designed tip"));
        return widget;
    }

    QWidget form;
};

TEST_F(CaptionsTest, TagsSelectCaptionAndToolTipInTheCurrentLanguage)
{
    form.setProperty("tag", QStringLiteral("1029"));
    auto *label = tagged<QLabel>(QStringLiteral("1042"));
    auto *button = tagged<QPushButton>(QStringLiteral("1042/0"));
    auto *group = tagged<QGroupBox>(QStringLiteral("1030/1043"));
    auto *nested = new QLabel(group);
    nested->setProperty("tag", QStringLiteral("1043"));
    auto *kept = tagged<QLabel>(QStringLiteral("0/-1"));
    kept->setText(QStringLiteral("1."));

    ResourceStrings::SetLanguageOffset(ResourceStrings::English);
    Captions::LoadCaptions(&form);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("tarvina RX24"));
    EXPECT_EQ(label->text(), QStringLiteral("Object"));
    EXPECT_EQ(label->toolTip(), QStringLiteral("designed tip"));
    EXPECT_EQ(button->text(), QStringLiteral("Object"));
    EXPECT_EQ(button->toolTip(), QString());
    EXPECT_EQ(group->title(), QStringLiteral("Device configuration"));
    EXPECT_EQ(group->toolTip(), QStringLiteral("Type"));
    EXPECT_EQ(nested->text(), QStringLiteral("Type"));
    EXPECT_EQ(kept->text(), QStringLiteral("1."));
    EXPECT_EQ(kept->toolTip(), QStringLiteral("designed tip"));

    ResourceStrings::SetLanguageOffset(ResourceStrings::German);
    Captions::LoadCaptions(&form);
    EXPECT_EQ(label->text(), QStringLiteral("Objekt"));
    EXPECT_EQ(button->text(), QStringLiteral("Objekt"));
}

TEST_F(CaptionsTest, TabsAndHeadersAreCaptionedByTheirTags)
{
    auto *strip = new TabStripControl(&form);
    QObject page;
    strip->InsertTab(0, QStringLiteral("KEY:1"), QString(), QStringLiteral("tip"), 1010);
    strip->InsertTab(1, QStringLiteral("KEY:2"), QString(), QStringLiteral("tip"), QStringLiteral("1011/0"));
    strip->InsertTab(2, QStringLiteral("KEY:3"), QString(), QString(), 1031);
    strip->InsertTab(3, QStringLiteral("KEY:4"), QStringLiteral("Page"), QString(),
                     QVariant::fromValue(&page));
    auto *tree = new QTreeWidget(&form);
    tree->setColumnCount(2);
    tree->headerItem()->setData(1, Qt::UserRole, QStringLiteral("1043"));
    tree->headerItem()->setText(0, QStringLiteral("No."));

    Captions::LoadCaptions(&form);
    EXPECT_EQ(strip->Caption(0), QStringLiteral("Device"));
    EXPECT_EQ(strip->ToolTipText(0), QStringLiteral("tip"));
    EXPECT_EQ(strip->Caption(1), QStringLiteral("Objects"));
    EXPECT_EQ(strip->ToolTipText(1), QString());
    // The window numbers the module tabs itself.
    EXPECT_EQ(strip->Caption(2), QStringLiteral("Module %1"));
    EXPECT_EQ(strip->Caption(3), QStringLiteral("Page"));
    EXPECT_EQ(strip->Tag(3).value<QObject *>(), &page);
    EXPECT_EQ(tree->headerItem()->text(0), QStringLiteral("No."));
    EXPECT_EQ(tree->headerItem()->text(1), QStringLiteral("Type"));
}

TEST_F(CaptionsTest, NullMeansTheTagLeavesTheText)
{
    EXPECT_EQ(Captions::ToolTipOf(QStringLiteral("1042/1043")), QStringLiteral("Type"));
    EXPECT_FALSE(Captions::ToolTipOf(QStringLiteral("1042/0")).isNull());
    EXPECT_TRUE(Captions::ToolTipOf(QStringLiteral("1042")).isNull());
    EXPECT_TRUE(Captions::CaptionOf(QStringLiteral("0/1043")).isNull());
    EXPECT_TRUE(Captions::CaptionOf(QStringLiteral("abc")).isNull());
}

} // namespace
