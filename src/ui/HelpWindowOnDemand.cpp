#include "ui/HelpWindowOnDemand.h"

bool HelpWindowOnDemand::show(const QString &path, int topic)
{
    if (!m_window)
        m_window = std::make_unique<HelpWindow>();
    return m_window->show(path, topic);
}
