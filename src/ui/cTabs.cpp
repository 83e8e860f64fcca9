#include "ui/cTabs.h"

#include "ui/TabStripControl.h"
#include "ui/cTab.h"
#include "ui/cTabStrip.h"
#include "ui/cTabStrips.h"

cTabs::cTabs(cTabStrip *parent) : m_parent(parent) {}

cTabs::~cTabs() = default;

TabStripControl *cTabs::Control() const
{
    return m_parent->Control();
}

cTab *cTabs::Add(int position)
{
    auto tab = std::unique_ptr<cTab>(new cTab(this));
    if (TabStripControl *control = Control()) {
        tab->setIndex(position + 1);
        tab->setKey(control->Key(position));
        tab->m_caption = control->Caption(position);
        tab->setToolTipText(control->ToolTipText(position));
        tab->setTag(control->Tag(position));
    }
    m_tabs.push_back(std::move(tab));
    return m_tabs.back().get();
}

cTab *cTabs::Item(int index) const
{
    for (const auto &tab : m_tabs) {
        if (tab->Index() == index)
            return tab.get();
    }
    return nullptr;
}

cTab *cTabs::ItemByKey(const QString &key) const
{
    for (const auto &tab : m_tabs) {
        if (tab->Key() == key)
            return tab.get();
    }
    return nullptr;
}

void cTabs::HideTabByKeyNo(int keyNo)
{
    TabStripControl *control = Control();
    if (control == nullptr)
        return;
    const int previousTop = control->ClientArea().top();
    for (int position = 0; position < control->Count(); ++position) {
        if (TabStripControl::KeyNumber(control->Key(position)) == keyNo) {
            control->RemoveTab(position);
            // Fewer tabs may need one row less: the page moves up with the client area.
            CheckLayout(previousTop);
            return;
        }
    }
}

void cTabs::ShowTabByKeyNo(int keyNo)
{
    TabStripControl *control = Control();
    if (control == nullptr)
        return;
    const int previousTop = control->ClientArea().top();
    const cTab *record = ItemByKey(QStringLiteral("KEY:") + QString::number(keyNo));
    if (record == nullptr || control->PositionOfKey(record->Key()) >= 0)
        return;

    const auto designedLater = [&](const QString &key) {
        for (int index = record->Index() + 1; index <= Count(); ++index) {
            const cTab *later = Item(index);
            if (later != nullptr && later->Key() == key)
                return true;
        }
        return false;
    };
    // Before the first shown tab that was designed after this one.
    int insertAt = 0;
    while (insertAt < control->Count() && !designedLater(control->Key(insertAt)))
        ++insertAt;
    control->InsertTab(insertAt, record->Key(), record->Caption(), record->ToolTipText(), record->Tag());
    CheckLayout(previousTop);
}

void cTabs::CheckLayout(int previousTop) const
{
    TabStripControl *control = Control();
    const cTabStrips *strips = m_parent->Parent();
    if (control == nullptr || strips->CurrentTabStrip() != control || control->SelectedPosition() < 0)
        return;
    if (control->ClientArea().top() != previousTop)
        strips->ShowPage(TabStripControl::KeyNumber(control->SelectedKey()));
}
