#include "project/ConformanceFiller.h"

#include "batch/ConformanceCheck.h"
#include "project/DeviceTableModel.h"

ConformanceFiller::ConformanceFiller(BatchSession &session, DeviceTableModel &devices, QObject *parent)
    : QObject(parent), m_session(session), m_devices(devices)
{
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &ConformanceFiller::step);
}

ConformanceFiller::~ConformanceFiller() = default;

void ConformanceFiller::start(const QString &referenceFile)
{
    stop();
    m_file = referenceFile;
    m_devices.clearConformance();
    m_check.reset();
    if (m_file.isEmpty())
        return;
    m_check = std::make_unique<ConformanceCheck>(m_session, m_file);
    for (int row = 0; row < m_devices.rowCount(); ++row) {
        if (m_devices.device(row).served)
            m_rows << row;
    }
    run();
}

void ConformanceFiller::recheck(const QList<int> &rows)
{
    if (!m_check)
        return;
    for (int row : rows) {
        if (!m_rows.contains(row))
            m_rows << row;
    }
    run();
}

void ConformanceFiller::run()
{
    if (!m_timer.isActive())
        m_done = 0;
    m_timer.start();
    Q_EMIT progress(m_done, m_done + static_cast<int>(m_rows.size()));
}

void ConformanceFiller::stop()
{
    m_timer.stop();
    m_rows.clear();
    m_done = 0;
}

void ConformanceFiller::step()
{
    if (m_rows.isEmpty()) {
        m_timer.stop();
        Q_EMIT finished();
        return;
    }
    const int row = m_rows.takeFirst();
    if (row < m_devices.rowCount()) {
        try {
            const ConformanceResult result = m_check->check(m_devices.device(row).device);
            m_devices.setConformance(row, result.state, result.differences);
        } catch (const std::exception &) {
            m_devices.setConformance(row, BatchTexts::Failed, 0);
        }
    }
    ++m_done;
    Q_EMIT progress(m_done, m_done + static_cast<int>(m_rows.size()));
    if (m_rows.isEmpty()) {
        m_timer.stop();
        Q_EMIT finished();
    }
}
