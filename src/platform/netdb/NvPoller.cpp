#include "platform/netdb/NvPoller.h"

#include "platform/lns/LnsError.h"
#include "platform/lns/LnsObjectServer.h"
#include "platform/netdb/NetDbSession.h"

#include <QTimer>

NvPoller::NvPoller(NetDbSession &session) : m_session(session) {}

NvPoller::~NvPoller()
{
    stopAll();
}

void NvPoller::start(qint64 nvId)
{
    stop(nvId);
    const LnsMonitorOptions &options = m_session.monitorState(nvId).options;
    int interval = options.pollInterval;
    if (interval <= 0 && options.eventDriven)
        interval = DefaultEventPollMs;
    if (interval <= 0)
        return;
    auto *timer = new QTimer(this);
    timer->setInterval(interval);
    connect(timer, &QTimer::timeout, this, [this, nvId] { poll(nvId); });
    m_timers.insert(nvId, timer);
    timer->start();
}

void NvPoller::stop(qint64 nvId)
{
    if (QTimer *timer = m_timers.take(nvId)) {
        timer->stop();
        timer->deleteLater();
    }
}

void NvPoller::stopAll()
{
    const QList<qint64> ids = m_timers.keys();
    for (qint64 id : ids)
        stop(id);
}

void NvPoller::pollAll()
{
    const QList<qint64> ids = m_timers.keys();
    for (qint64 id : ids)
        poll(id);
}

void NvPoller::poll(qint64 nvId)
{
    NvMonitorState &state = m_session.monitorState(nvId);
    if (!state.active || !m_session.isOpen())
        return;
    LnsObjectServer *server = m_session.server();
    QList<QVariantList> rows;
    try {
        rows = m_session.select(QStringLiteral("SELECT n.value, d.reachable FROM nvs n "
                                               "JOIN lonmark_objects o ON o.id = n.object_id "
                                               "JOIN devices d ON d.id = o.device_id WHERE n.id = ?"),
                                {nvId});
    } catch (const LnsError &) {
        return; // another client is committing; the next poll will see it
    }
    if (rows.isEmpty() || !rows.first().at(1).toBool()) {
        if (server)
            Q_EMIT server->nvCommunicationFailed(state.tag);
        return;
    }
    const QString value = rows.first().at(0).toString();
    if (state.options.eventDriven && value == state.lastValue)
        return;
    state.lastValue = value;
    if (server)
        Q_EMIT server->nvUpdateOccurred(state.tag, value);
}
