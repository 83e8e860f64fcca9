#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

// SIGTERM and SIGINT (a session that logs out, a director or script that
// stops the plug-in, Ctrl+C) end the program through its event loop, so that
// it closes the network database and registers itself as on every end.
class TerminationSignal : public QObject
{
    Q_OBJECT
public:
    // onSignal runs on the event loop once per signal received.
    explicit TerminationSignal(std::function<void()> onSignal, QObject *parent = nullptr);
    ~TerminationSignal() override;

private:
    std::function<void()> m_onSignal;
    QSocketNotifier *m_notifier = nullptr;
};
