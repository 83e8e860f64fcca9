#include "ui/cTab.h"

#include "ui/TabStripControl.h"
#include "ui/cTabs.h"

#include <QObject>

void cTab::setTag(QObject *object)
{
    m_tag = QVariant::fromValue(object);
}

void cTab::setCaption(const QString &caption)
{
    m_caption = caption;
    TabStripControl *control = m_parent->Control();
    if (control == nullptr)
        return;
    const int previousTop = control->ClientArea().top();
    control->SetCaption(control->PositionOfKey(m_key), caption);
    m_parent->CheckLayout(previousTop);
}
