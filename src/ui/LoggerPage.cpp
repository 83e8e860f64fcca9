#include "ui/LoggerPage.h"

#include <QFont>

LoggerPage::LoggerPage(QWidget *parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("lstLog"));
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    // A long line (a red error names file, key and cause) wraps at the page's
    // edge instead of hiding behind a horizontal scroll bar.
    setWordWrap(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setResizeMode(QListView::Adjust);
    LogService &log = LogService::instance();
    for (const LogLine &line : log.Lines())
        addLine(line);
    connect(&log, &LogService::lineAdded, this, &LoggerPage::addLine);
}

QColor LoggerPage::toColor(int colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

void LoggerPage::addLine(const LogLine &line)
{
    auto *item = new QListWidgetItem(line.text, this);
    item->setForeground(toColor(line.colour));
    if (line.bold) {
        QFont bold = font();
        bold.setBold(true);
        item->setFont(bold);
    }
    scrollToItem(item);
}
