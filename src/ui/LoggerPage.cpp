#include "ui/LoggerPage.h"

#include <QFont>

LoggerPage::LoggerPage(QWidget *parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("lstLog"));
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
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
