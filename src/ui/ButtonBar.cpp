#include "ui/ButtonBar.h"

#include "host/ResourceStrings.h"

#include <QFontMetrics>
#include <QLabel>
#include <QToolButton>

ButtonBar::ButtonBar(QWidget *parent)
    : QFrame(parent), m_group(new QLabel(this)), m_button(new QToolButton(this))
{
    setObjectName(QStringLiteral("ButtonBar"));
    setFrameShape(QFrame::StyledPanel);
    m_group->setObjectName(QStringLiteral("lblButtonBarGroup"));
    m_group->setAlignment(Qt::AlignCenter);
    m_group->setFrameShape(QFrame::Panel);
    m_group->setFrameShadow(QFrame::Raised);
    m_button->setObjectName(QStringLiteral("btnConfiguration"));
    m_button->setProperty("key", SelectedKey());
    m_button->setCheckable(true);
    m_button->setChecked(true);
    m_button->setAutoRaise(true);
    connect(m_button, &QToolButton::clicked, this, [this] {
        m_button->setChecked(true);
        Q_EMIT ButtonClicked(m_button->property("key").toString());
    });
    LoadCaptions();
}

void ButtonBar::LoadCaptions()
{
    m_group->setText(ResourceStrings::LoadResString(1029));
    m_button->setText(ResourceStrings::LoadResString(1001));
    resizeEvent(nullptr);
}

namespace {
// The bar is narrow by design: a caption that does not fit gets a smaller font.
void fitFont(QWidget *widget, const QString &text, int width)
{
    QFont font = widget->parentWidget()->font();
    while (font.pointSizeF() > 6.0 && QFontMetrics(font).horizontalAdvance(text) > width)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    widget->setFont(font);
}
} // namespace

void ButtonBar::resizeEvent(QResizeEvent *)
{
    fitFont(m_group, m_group->text(), width() - 10);
    fitFont(m_button, m_button->text(), width() - 16);
    const int groupHeight = m_group->sizeHint().height() + 4;
    m_group->setGeometry(2, 2, width() - 4, groupHeight);
    m_button->setGeometry(4, groupHeight + 8, width() - 8, m_button->sizeHint().height() + 6);
}
