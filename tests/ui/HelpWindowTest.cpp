#include "ui/HelpWindow.h"

#include "host/ResourceStrings.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFragment>
#include <gtest/gtest.h>

namespace {

// The manuals as the build puts them beside the program.
QString manual(const char *language)
{
    return QStringLiteral(RX24_BINARY_DIR "/bin/help/") + QLatin1String(language) +
           QStringLiteral("/index.html");
}

// The anchor names of the line at the top of the browser's visible area.
QStringList anchorsAtTop(QTextBrowser *browser)
{
    const QTextBlock block = browser->cursorForPosition(QPoint(4, 4)).block();
    QStringList names;
    for (auto it = block.begin(); !it.atEnd(); ++it)
        names << it.fragment().charFormat().anchorNames();
    return names;
}

} // namespace

TEST(HelpWindow, EveryTopicScrollsToItsSectionInBothManuals)
{
    HelpWindow window;
    window.resize(700, 500);
    auto *browser = window.findChild<QTextBrowser *>(QStringLiteral("txtHelp"));
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(window.objectName(), QStringLiteral("frmHelp"));

    for (const char *language : {"en", "de"}) {
        SCOPED_TRACE(language);
        // Logger, Device, Objects, and the eight module pages.
        for (int topic = 1000; topic <= 1010; ++topic) {
            SCOPED_TRACE(topic);
            ASSERT_TRUE(window.show(manual(language), topic));
            EXPECT_TRUE(window.isVisible());
            EXPECT_TRUE(anchorsAtTop(browser).contains(HelpWindow::AnchorOfTopic(topic)))
                << anchorsAtTop(browser).join(QLatin1Char(' ')).toStdString();
            EXPECT_GT(browser->verticalScrollBar()->value(), 0);
        }
        EXPECT_EQ(browser->source(), QUrl::fromLocalFile(manual(language)));
        ASSERT_TRUE(window.show(manual(language), -1));
        EXPECT_EQ(browser->verticalScrollBar()->value(), 0);
        EXPECT_FALSE(window.windowTitle().isEmpty());
    }
    // The same window is reused; a file that is not there opens nothing.
    EXPECT_EQ(window.findChildren<QTextBrowser *>().size(), 1);
    EXPECT_FALSE(window.show(QStringLiteral(RX24_BINARY_DIR "/bin/help/none.html"), -1));
}

// The messages a user can meet, as (id, number of items); the manuals quote each in their language.
const QList<std::pair<int, int>> UserMessages{
    {1425, 1}, {1426, 1}, {1428, 3}, {1435, 2}, {1436, 1}, {1437, 1}, {1490, 1}, {1491, 1},
    {1500, 2}, {1501, 3}, {1504, 2}, {1507, 1}, {1508, 1}, {1513, 1}, {1517, 1}, {1519, 1},
    {1520, 2}, {1521, 1}, {1523, 1}, {1526, 1}, {1530, 1}, {1535, 1}, {1542, 1}, {1547, 1},
    {1550, 2}, {1551, 2}, {1553, 1}, {1554, 1}, {1555, 1}, {1560, 1}, {1561, 6}, {1562, 3},
    {1700, 1}, {1701, 1}, {1702, 1}, {1703, 1}, {1704, 1}, {1705, 1}};

TEST(HelpWindow, ManualsResolveTheirLinksAndPicturesAndQuoteTheCurrentMessages)
{
    const QRegularExpression names(QStringLiteral("<a name=\"([^\"]+)\""));
    const QRegularExpression links(QStringLiteral("href=\"#([^\"]+)\""));
    const QRegularExpression pictures(QStringLiteral("<img src=\"([^\"]+)\""));
    // What the plug-in fills in and where a text breaks its line.
    const QRegularExpression gaps(QStringLiteral("%\\d|\r\n"));
    for (const auto &[language, offset] :
         {std::pair{"en", ResourceStrings::English}, {"de", ResourceStrings::German}}) {
        SCOPED_TRACE(language);
        QFile file(manual(language));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        QStringList anchors;
        for (const auto &match : names.globalMatch(html))
            anchors << match.captured(1);
        for (const auto &match : links.globalMatch(html))
            EXPECT_TRUE(anchors.contains(match.captured(1))) << match.captured(1).toStdString();
        int shown = 0;
        for (const auto &match : pictures.globalMatch(html)) {
            ++shown;
            EXPECT_TRUE(QFileInfo(QFileInfo(file).dir().filePath(match.captured(1))).isFile())
                << match.captured(1).toStdString();
        }
        EXPECT_EQ(shown, 5); // the three pages of the window and two of the project window

        QTextDocument document;
        document.setHtml(html);
        const QString text = document.toPlainText().simplified();
        ResourceStrings::SetLanguageOffset(offset);
        for (const auto &[id, items] : UserMessages) {
            for (int item = 1; item <= items; ++item) {
                const QString message = ResourceStrings::LoadResString(id, item);
                ASSERT_FALSE(message.isEmpty()) << id;
                for (const QString &piece : message.split(gaps, Qt::SkipEmptyParts))
                    EXPECT_TRUE(text.contains(piece.simplified()))
                        << id << " item " << item << ": " << piece.toStdString();
            }
        }
    }
    ResourceStrings::SetLanguageOffset(ResourceStrings::English);
}
