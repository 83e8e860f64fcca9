#include "host/StopRequest.h"

#include "host/MainWindowHost.h"
#include "platform/services/MessageBox.h"

#include <QCoreApplication>
#include <QTimer>

namespace {
bool g_requested = false;

// Runs on the event loop once the boxes closed have returned to the code
// that showed them, so that the window is not unloaded under its own feet.
void endWhenNoBoxIsOpen(MainWindowHost *window)
{
    QTimer::singleShot(0, QCoreApplication::instance(), [window] {
        if (MessageBox::openCount() > 0) {
            endWhenNoBoxIsOpen(window);
            return;
        }
        if (window && window->IsLoaded())
            window->Unload();
        else
            QCoreApplication::quit();
    });
}
} // namespace

void StopRequest::request(MainWindowHost *window)
{
    g_requested = true;
    MessageBox::closeAllForStop();
    if (QCoreApplication::instance())
        endWhenNoBoxIsOpen(window);
}

bool StopRequest::requested()
{
    return g_requested;
}

void StopRequest::reset()
{
    g_requested = false;
    MessageBox::clearStop();
}
