#pragma once

#include <QWidget>

class QFrame;
class QLabel;

// A separator line with its title at the left, heading a page. Its caption
// comes from its tag like a label's.
class TitledLine : public QWidget
{
    Q_OBJECT
public:
    TitledLine(const QString &tag, QWidget *parent);
    QLabel *Title() const { return m_title; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QLabel *m_title;
    QFrame *m_line;
};
