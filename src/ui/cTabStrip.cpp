#include "ui/cTabStrip.h"

#include "ui/TabStripControl.h"
#include "ui/cTabs.h"

#include <QStringList>

cTabStrip::cTabStrip(cTabStrips *parent, TabStripControl *control) : m_parent(parent), m_control(control) {}

cTabStrip::~cTabStrip() = default;

void cTabStrip::ShowTabs(const QList<int> &tabKeys)
{
    if (m_control == nullptr)
        return;
    QStringList unwanted;
    for (int position = 0; position < m_control->Count(); ++position) {
        const QString key = m_control->Key(position);
        if (!tabKeys.contains(TabStripControl::KeyNumber(key)))
            unwanted.append(key);
    }
    for (const QString &key : unwanted)
        m_control->RemoveTab(m_control->PositionOfKey(key));
    for (const int keyNo : tabKeys)
        m_tabs->ShowTabByKeyNo(keyNo);
}
