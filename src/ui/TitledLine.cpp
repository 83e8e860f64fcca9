#include "ui/TitledLine.h"

#include "ui/Captions.h"

#include <QFrame>
#include <QLabel>

TitledLine::TitledLine(const QString &tag, QWidget *parent)
    : QWidget(parent), m_title(new QLabel(this)), m_line(new QFrame(this))
{
    m_title->setObjectName(QStringLiteral("lblTitle"));
    m_title->setProperty("tag", tag);
    m_title->setText(Captions::CaptionOf(tag));
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    m_line->setFrameShape(QFrame::HLine);
    m_line->setFrameShadow(QFrame::Sunken);
}

void TitledLine::resizeEvent(QResizeEvent *)
{
    const int titleWidth = m_title->sizeHint().width();
    m_title->setGeometry(0, 0, titleWidth, height());
    m_line->setGeometry(titleWidth + 6, height() / 2 - 1, qMax(0, width() - titleWidth - 6), 3);
}
