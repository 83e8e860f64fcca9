#pragma once

#include "host/HelpViewer.h"

#include <QWidget>

class QTextBrowser;

// The program's help window: the HTML manual in a browser, scrolled to the
// anchor "topic<N>" of the topic asked for (topic -1: the manual's start).
// One window serves every request of the run; it does not keep the program
// alive once the main window has closed.
class HelpWindow : public QWidget, public HelpViewer
{
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);

    using QWidget::show;
    // False when the file cannot be read or holds nothing to show.
    bool show(const QString &path, int topic) override;

    static QString AnchorOfTopic(int topic);

private:
    QTextBrowser *m_browser;
};
