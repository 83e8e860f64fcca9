#include "platform/services/RangeMarker.h"

#include <QLineEdit>
#include <gtest/gtest.h>

TEST(RangeMarkerTest, LimitsBelongToTheRange)
{
    QLineEdit edit;
    EXPECT_TRUE(RangeMarker::mark(&edit, 15.0, 15.0, 30.0));
    EXPECT_TRUE(RangeMarker::mark(&edit, 30.0, 15.0, 30.0));
    EXPECT_FALSE(RangeMarker::mark(&edit, 30.01, 15.0, 30.0));
    EXPECT_FALSE(RangeMarker::mark(&edit, 14.99, 15.0, 30.0));
}

TEST(RangeMarkerTest, OutsideColoursTheBoxAndInsideRestoresIt)
{
    QLineEdit edit;
    const QColor normalText = edit.palette().color(QPalette::Text);
    EXPECT_FALSE(RangeMarker::mark(&edit, 40.0, 15.0, 30.0));
    EXPECT_TRUE(edit.property("outOfRange").toBool());
    EXPECT_NE(edit.palette().color(QPalette::Text), normalText);
    EXPECT_TRUE(RangeMarker::mark(&edit, 20.0, 15.0, 30.0));
    EXPECT_FALSE(edit.property("outOfRange").toBool());
    EXPECT_EQ(edit.palette().color(QPalette::Text), normalText);
}

TEST(RangeMarkerTest, ReadsTheTypedNumber)
{
    QLineEdit edit;
    edit.setText(QStringLiteral("21,5"));
    EXPECT_TRUE(RangeMarker::mark(&edit, 15.0, 30.0));
    edit.setText(QStringLiteral("-5"));
    EXPECT_FALSE(RangeMarker::mark(&edit, 0.0, 30.0));
    edit.setText(QString()); // empty counts as 0
    EXPECT_TRUE(RangeMarker::mark(&edit, 0.0, 30.0));
}

TEST(RangeMarkerTest, WithoutBoxOnlyAnswers)
{
    EXPECT_FALSE(RangeMarker::mark(nullptr, 5.0, 6.0, 7.0));
    EXPECT_TRUE(RangeMarker::mark(nullptr, 6.5, 6.0, 7.0));
}
