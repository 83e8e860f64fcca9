#pragma once

#include <QObject>
#include <QTimer>
#include <memory>

class BatchSession;
class ConformanceCheck;
class DeviceTableModel;

// Fills the conformance column behind the table: one device at a time
// between the user's events, so the window answers while a large network is
// compared with the reference file.
class ConformanceFiller : public QObject
{
    Q_OBJECT
public:
    ConformanceFiller(BatchSession &session, DeviceTableModel &devices, QObject *parent = nullptr);
    ~ConformanceFiller() override;

    // Every device of the plug-in in the table, in table order; an empty
    // file clears the column.
    void start(const QString &referenceFile);
    // Only these rows again (after a write).
    void recheck(const QList<int> &rows);
    void stop();
    bool running() const { return m_timer.isActive(); }
    const QString &referenceFile() const { return m_file; }

Q_SIGNALS:
    void progress(int done, int total);
    void finished();

private:
    void run();
    void step();

    BatchSession &m_session;
    DeviceTableModel &m_devices;
    QString m_file;
    std::unique_ptr<ConformanceCheck> m_check;
    QList<int> m_rows;
    int m_done = 0;
    QTimer m_timer;
};
