#pragma once

#include "host/HelpViewer.h"
#include "ui/HelpWindow.h"

#include <memory>

// The program's help window, made when help is first asked for: most runs
// (a start that only registers or shows About, a director's command) never
// open it, and its browser costs the start a font lookup.
class HelpWindowOnDemand : public HelpViewer
{
public:
    bool show(const QString &path, int topic) override;
    // Null until the first request.
    HelpWindow *window() const { return m_window.get(); }

private:
    std::unique_ptr<HelpWindow> m_window;
};
