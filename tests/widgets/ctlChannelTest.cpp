#include "widgets/ctlChannel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

struct Entry
{
    QString text;
    QString itemData;
};

class ctlChannelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The owner answers with whatever the test put into the answers.
        QObject::connect(&row, &ctlChannel::ObjectComboDropDown, &row, [this](QStringList &list) {
            ++objectAsked;
            list = objectAnswer;
        });
        QObject::connect(&row, &ctlChannel::TypeComboDropDown, &row, [this](QStringList &list) {
            ++typeAsked;
            list = typeAnswer;
        });
    }

    QComboBox *combo(const QString &name) const { return row.findChild<QComboBox *>(name); }
    QComboBox *objects() const { return combo(QStringLiteral("cboObject")); }
    QComboBox *types() const { return combo(QStringLiteral("cboType")); }

    static QList<Entry> entriesOf(const QComboBox *box, const QStringList &itemData)
    {
        QList<Entry> entries;
        for (int i = 0; i < box->count(); ++i)
            entries.append({box->itemText(i), itemData.value(box->itemData(i).toInt() - 1)});
        return entries;
    }

    // The user opens the list and picks entry index with the keyboard.
    static void pick(QComboBox *box, int index)
    {
        box->showPopup();
        QAbstractItemView *view = box->view();
        view->setCurrentIndex(view->model()->index(index, 0));
        QTest::keyClick(view, Qt::Key_Return);
        ASSERT_FALSE(view->isVisible());
    }
    // The user opens the list and closes it again without picking.
    static void openAndClose(QComboBox *box)
    {
        box->showPopup();
        box->hidePopup();
    }

    void fillObjects()
    {
        row.AddObjectComboItem(QStringLiteral("A"), QStringLiteral("1"));
        row.AddObjectComboItem(QStringLiteral("B"), QStringLiteral("2"));
        row.AddObjectComboItem(QStringLiteral("B twin"), QStringLiteral("2"));
        row.AddObjectComboItem(QStringLiteral("C"), QStringLiteral("c"));
    }
    void fillTypes()
    {
        row.AddTypeComboItem(QStringLiteral("SNVT_switch"), QStringLiteral("95"));
        row.AddTypeComboItem(QStringLiteral("SNVT_lev_percent"), QStringLiteral("81"));
    }

    ctlChannel row;
    QStringList objectAnswer;
    QStringList typeAnswer;
    int objectAsked = 0;
    int typeAsked = 0;
};

bool operator==(const Entry &a, const Entry &b)
{
    return a.text == b.text && a.itemData == b.itemData;
}
void PrintTo(const Entry &e, std::ostream *os)
{
    *os << '"' << e.text.toStdString() << "\":\"" << e.itemData.toStdString() << '"';
}

TEST_F(ctlChannelTest, KeepsItsDesignSizeAndLayoutInPixels)
{
    struct Part
    {
        const char *name;
        QRect pixels;
    };
    // Twips / 15.
    for (const Part &part : {Part{"frame", {0, 0, 380, 34}}, Part{"lblChannel", {12, 4, 17, 13}},
                             Part{"cboObject", {40, 0, 120, 21}}, Part{"cboType", {180, 0, 180, 21}}}) {
        const auto *child = row.findChild<QWidget *>(QString::fromLatin1(part.name));
        ASSERT_NE(child, nullptr) << part.name;
        EXPECT_EQ(child->geometry(), part.pixels) << part.name;
    }
    QWidget page;
    auto *layout = new QVBoxLayout(&page);
    layout->addWidget(&row);
    page.resize(900, 400);
    page.show();
    row.resize(500, 200);
    QApplication::processEvents();
    EXPECT_EQ(row.size(), QSize(380, 34));
    layout->removeWidget(&row);
    row.setParent(nullptr);

    row.setChannelNo(12);
    EXPECT_EQ(row.findChild<QLabel *>(QStringLiteral("lblChannel"))->text(), QStringLiteral("12"));
    EXPECT_EQ(row.ChannelNo(), 12);
}

TEST_F(ctlChannelTest, BackColorPaintsFrameAndNumberButNotTheLists)
{
    const QColor listBefore = objects()->palette().color(objects()->backgroundRole());
    row.setBackColor(0x00336699u); // 0x00BBGGRR
    EXPECT_EQ(row.BackColor(), 0x00336699u);

    const QColor expected(0x99, 0x66, 0x33);
    const QImage image = row.grab().toImage();
    EXPECT_EQ(image.pixelColor(5, 30), expected);  // frame only
    EXPECT_EQ(image.pixelColor(28, 16), expected); // right bottom corner of the label
    const auto *label = row.findChild<QLabel *>(QStringLiteral("lblChannel"));
    EXPECT_EQ(label->palette().color(label->backgroundRole()), expected);
    for (const QComboBox *list : {objects(), types()}) {
        EXPECT_EQ(list->palette().color(list->backgroundRole()), listBefore);
        EXPECT_NE(image.pixelColor(list->geometry().center()), expected) << list->objectName().toStdString();
    }
}

TEST_F(ctlChannelTest, SelectionByItemDataTakesTheFirstMatchOrAppliesTheNotFoundRules)
{
    fillObjects();
    fillTypes();
    row.setTypeComboEnabled(true);
    EXPECT_EQ(objects()->currentIndex(), -1); // filling selects nothing
    EXPECT_EQ(types()->currentIndex(), -1);

    row.SetObjectComboItemByItemData(QStringLiteral("2"));
    EXPECT_EQ(objects()->currentIndex(), 1); // the first of the two
    EXPECT_EQ(row.GetCurrentObjectComboItemData(), QStringLiteral("2"));
    row.SetTypeComboItemByItemData(QStringLiteral("81"));
    EXPECT_EQ(row.GetCurrentTypeComboItemText(), QStringLiteral("SNVT_lev_percent"));
    EXPECT_EQ(row.GetCurrentTypeComboItemData(), QStringLiteral("81"));

    // A type that is not offered clears the type only.
    row.SetTypeComboItemByItemData(QStringLiteral("83"));
    EXPECT_EQ(types()->currentIndex(), -1);
    EXPECT_TRUE(row.GetCurrentTypeComboItemText().isEmpty());
    EXPECT_TRUE(row.GetCurrentTypeComboItemData().isEmpty());
    EXPECT_EQ(objects()->currentIndex(), 1);
    EXPECT_TRUE(row.TypeComboEnabled());

    // An object that is not offered (the match is case-sensitive) clears
    // both and locks the type list.
    row.SetTypeComboItem(0);
    row.SetObjectComboItemByItemData(QStringLiteral("C"));
    EXPECT_EQ(objects()->currentIndex(), -1);
    EXPECT_EQ(types()->currentIndex(), -1);
    EXPECT_FALSE(row.TypeComboEnabled());
    EXPECT_TRUE(row.GetCurrentObjectComboItemData().isEmpty());
}

TEST_F(ctlChannelTest, OnlyTheUserSelectionSignalsAndEverySelectionDoes)
{
    fillObjects();
    fillTypes();
    QSignalSpy objectChanged(&row, &ctlChannel::ObjectChanged);
    QSignalSpy typeChanged(&row, &ctlChannel::TypeChanged);
    objectAnswer = {QStringLiteral("A:1"), QStringLiteral("B:2"), QStringLiteral("B twin:2")};
    typeAnswer = {QStringLiteral("SNVT_switch:95"), QStringLiteral("SNVT_lev_percent:81")};

    row.SetObjectComboItem(1);
    row.SetObjectComboItemByItemData(QStringLiteral("1"));
    row.SetTypeComboItem(1);
    row.SetTypeComboItemByItemData(QStringLiteral("95"));
    row.SetObjectComboItem(-1);
    openAndClose(objects()); // refilling selects again, silently
    EXPECT_EQ(objectChanged.count(), 0);
    EXPECT_EQ(typeChanged.count(), 0);

    row.SetObjectComboItem(2);
    pick(objects(), 2); // the entry already selected
    pick(objects(), 2);
    pick(types(), 1);
    ASSERT_EQ(objectChanged.count(), 2);
    EXPECT_EQ(objectChanged.at(1).at(0).toString(), QStringLiteral("B twin"));
    EXPECT_EQ(objectChanged.at(1).at(1).toString(), QStringLiteral("2"));
    ASSERT_EQ(typeChanged.count(), 1);
    EXPECT_EQ(typeChanged.at(0).at(0).toString(), QStringLiteral("SNVT_lev_percent"));
    EXPECT_EQ(typeChanged.at(0).at(1).toString(), QStringLiteral("81"));
    EXPECT_FALSE(row.SuppressEvents());
}

TEST_F(ctlChannelTest, OpeningAListRefillsItFromTheOwnersTextColonItemDataStrings)
{
    objectAnswer = {QStringLiteral("Channel 1:17"), QStringLiteral("not used"),
                    QStringLiteral("Lamp:5:extra"), QStringLiteral(":9")};
    row.AddObjectComboItem(QStringLiteral("stale"), QStringLiteral("0"));
    openAndClose(objects());
    openAndClose(objects());
    EXPECT_EQ(objectAsked, 2);                // asked every time, not once
    EXPECT_EQ(objects()->currentIndex(), -1); // nothing was selected, nothing is
    const QList<Entry> expected = {{QStringLiteral("Channel 1"), QStringLiteral("17")},
                                   {QStringLiteral("not used"), QString()},
                                   {QStringLiteral("Lamp"), QStringLiteral("5")},
                                   {QString(), QStringLiteral("9")}};
    EXPECT_EQ(entriesOf(objects(), row.ObjectItemData()), expected);
    EXPECT_EQ(row.ObjectItemData(),
              QStringList({QStringLiteral("17"), QString(), QStringLiteral("5"), QStringLiteral("9")}));
    EXPECT_EQ(typeAsked, 0);
}

TEST_F(ctlChannelTest, ReopeningKeepsTheSelectedEntryOnlyWhileTheOwnerStillOffersIt)
{
    row.setTypeComboEnabled(true);
    objectAnswer = {QStringLiteral("A:1"), QStringLiteral("B:2"), QStringLiteral("C:3")};
    openAndClose(objects());
    row.SetObjectComboItemByItemData(QStringLiteral("3"));
    typeAnswer = {QStringLiteral("SNVT_switch:95"), QStringLiteral("SNVT_lev_percent:81")};
    openAndClose(types());
    row.SetTypeComboItemByItemData(QStringLiteral("81"));

    // Offered at another position: followed there.
    objectAnswer = {QStringLiteral("C:3"), QStringLiteral("A:1")};
    openAndClose(objects());
    EXPECT_EQ(objects()->currentIndex(), 0);
    EXPECT_EQ(types()->currentIndex(), 1);

    // The type gone: only the type selection is lost.
    typeAnswer = {QStringLiteral("SNVT_switch:95")};
    openAndClose(types());
    EXPECT_EQ(types()->currentIndex(), -1);
    EXPECT_TRUE(row.TypeComboEnabled());

    // The object gone: no object, and the type list locked.
    row.SetTypeComboItem(0);
    objectAnswer = {QStringLiteral("A:1")};
    openAndClose(objects());
    EXPECT_EQ(objects()->currentIndex(), -1);
    EXPECT_EQ(types()->currentIndex(), -1);
    EXPECT_FALSE(row.TypeComboEnabled());
}

TEST_F(ctlChannelTest, ReopeningWithAnEntryWithoutItemDataSelectedDoesNotLockTheTypeList)
{
    row.setTypeComboEnabled(true);
    objectAnswer = {QStringLiteral("not used"), QStringLiteral("A:1")};
    openAndClose(objects());
    row.SetObjectComboItem(0);
    openAndClose(objects());
    EXPECT_EQ(objects()->currentIndex(), -1);
    EXPECT_TRUE(row.TypeComboEnabled());
}

TEST_F(ctlChannelTest, InvalidTypeIsRedTextThatOutlastsSelectionChanges)
{
    fillTypes();
    typeAnswer = {QStringLiteral("SNVT_switch:95"), QStringLiteral("SNVT_lev_percent:81")};
    const QColor defaultText = types()->palette().color(QPalette::ButtonText);
    ASSERT_TRUE(row.TypeComboValid());

    row.setTypeComboValid(false);
    EXPECT_EQ(types()->palette().color(QPalette::ButtonText), QColor(255, 0, 0));
    EXPECT_EQ(objects()->palette().color(QPalette::ButtonText), defaultText);
    row.SetTypeComboItem(1);
    pick(types(), 0);
    row.ClearTypeCombo();
    fillTypes();
    EXPECT_FALSE(row.TypeComboValid());

    row.setTypeComboValid(true);
    EXPECT_EQ(types()->palette().color(QPalette::ButtonText), defaultText);
    row.SetTypeComboItem(0);
    pick(types(), 1);
    EXPECT_TRUE(row.TypeComboValid());
}

} // namespace
