#include "ui/ButtonLine.h"

#include "host/ResourceStrings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

ButtonLine::ButtonLine(QWidget *parent)
    : QWidget(parent), m_status(new QLabel(this)), m_ok(new QPushButton(this)),
      m_cancel(new QPushButton(this)), m_apply(new QPushButton(this))
{
    setObjectName(QStringLiteral("ButtonLine"));
    m_status->setObjectName(QStringLiteral("lblStatus"));
    m_status->setFrameShape(QFrame::StyledPanel);
    m_status->setFrameShadow(QFrame::Sunken);
    m_ok->setObjectName(QStringLiteral("btnOK"));
    m_cancel->setObjectName(QStringLiteral("btnCancel"));
    m_apply->setObjectName(QStringLiteral("btnApply"));
    m_apply->setEnabled(false);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->addWidget(m_status, 1);
    for (QPushButton *button : {m_ok, m_cancel, m_apply})
        layout->addWidget(button);
    LoadCaptions();
}

void ButtonLine::LoadCaptions()
{
    m_ok->setText(ResourceStrings::LoadResString(1374, 1));
    m_cancel->setText(ResourceStrings::LoadResString(1374, 2));
    m_apply->setText(ResourceStrings::LoadResString(1374, 3));
}

void ButtonLine::setBusy(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    m_ok->setEnabled(!busy);
    m_cancel->setEnabled(!busy);
    Q_EMIT BusyChanged(busy);
}
