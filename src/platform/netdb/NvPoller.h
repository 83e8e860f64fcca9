#pragma once

#include <QHash>
#include <QObject>

class NetDbSession;
class QTimer;

// Polls the monitored NVs of one client on the event loop. The value is read
// from the database on every poll, so a value written by another client is
// seen; an unreachable device reports a communication failure instead.
class NvPoller : public QObject
{
    Q_OBJECT
public:
    // An event-driven NV without its own poll interval is still checked at
    // this interval: changes can only be seen by looking.
    static constexpr int DefaultEventPollMs = 500;

    explicit NvPoller(NetDbSession &session);
    ~NvPoller() override;

    void start(qint64 nvId);
    void stop(qint64 nvId);
    void stopAll();
    bool isPolling(qint64 nvId) const { return m_timers.contains(nvId); }

    // One poll of the NV now, as the timer does it.
    void poll(qint64 nvId);
    // Every polled NV now: another client committed, and its value may be
    // new before the next tick.
    void pollAll();

private:
    NetDbSession &m_session;
    QHash<qint64, QTimer *> m_timers;
};
