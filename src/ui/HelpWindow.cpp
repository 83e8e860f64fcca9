#include "ui/HelpWindow.h"

#include "host/AppVersion.h"

#include <QFileInfo>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget *parent) : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(AppVersion::ProductName());
    // Closing the main window ends the plug-in, also while the manual is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(760, 680);

    m_browser->setObjectName(QStringLiteral("txtHelp"));
    m_browser->setOpenExternalLinks(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
}

QString HelpWindow::AnchorOfTopic(int topic)
{
    return QStringLiteral("topic") + QString::number(topic);
}

bool HelpWindow::show(const QString &path, int topic)
{
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable())
        return false;
    // Shown before the anchor is sought: the browser scrolls only once it has a size.
    if (isMinimized())
        showNormal();
    else
        QWidget::show();
    const QUrl source = QUrl::fromLocalFile(file.absoluteFilePath());
    if (m_browser->source() != source)
        m_browser->setSource(source, QTextDocument::HtmlResource);
    if (m_browser->document()->isEmpty())
        return false;
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? AppVersion::ProductName() : title);
    if (topic < 0)
        m_browser->verticalScrollBar()->setValue(0);
    else
        m_browser->scrollToAnchor(AnchorOfTopic(topic));
    raise();
    activateWindow();
    return true;
}
