#include "ui/HelpWindow.h"

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

TEST(HelpWindow, EveryLinkAndPictureOfTheManualsResolves)
{
    const QRegularExpression names(QStringLiteral("<a name=\"([^\"]+)\""));
    const QRegularExpression links(QStringLiteral("href=\"#([^\"]+)\""));
    const QRegularExpression pictures(QStringLiteral("<img src=\"([^\"]+)\""));
    for (const char *language : {"en", "de"}) {
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
        EXPECT_EQ(shown, 3);
    }
}
