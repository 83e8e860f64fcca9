#include "ui/cTabStrips.h"

#include "ui/TabStripControl.h"
#include "ui/cTabStrip.h"
#include "ui/cTabs.h"

cTabStrips::cTabStrips() = default;

cTabStrips::~cTabStrips() = default;

cTabStrip *cTabStrips::Add(TabStripControl *tbs)
{
    auto strip = std::unique_ptr<cTabStrip>(new cTabStrip(this, tbs));
    strip->m_tabs = std::unique_ptr<cTabs>(new cTabs(strip.get()));
    const int count = tbs != nullptr ? tbs->Count() : 0;
    for (int position = 0; position < count; ++position)
        strip->m_tabs->Add(position);
    m_strips.push_back(std::move(strip));
    return m_strips.back().get();
}

cTabStrip *cTabStrips::Item(const TabStripControl *tbs) const
{
    // A record whose control is gone matches no control.
    if (tbs == nullptr)
        return nullptr;
    for (const auto &strip : m_strips) {
        if (strip->Control() == tbs)
            return strip.get();
    }
    return nullptr;
}

void cTabStrips::ShowPage(int keyNo) const
{
    if (m_showPage)
        m_showPage(keyNo);
}
