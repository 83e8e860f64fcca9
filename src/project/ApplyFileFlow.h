#pragma once

#include "batch/SetApplier.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

class BatchSession;
class ApplyResultsDialog;
class QProgressDialog;
class QWidget;

// Putting a parameter file on the chosen devices as the window's Apply
// would, each device in a transaction of its own: first a dry run whose
// table says what would change, then, when the user says Write, the writes
// with a progress dialog that stops between two devices, then the summary.
// Nothing here waits for the user: each stage opens its dialog and goes on
// when it is answered.
class ApplyFileFlow : public QObject
{
    Q_OBJECT
public:
    ApplyFileFlow(BatchSession &session, QList<BatchDevice> devices, QString file, QWidget *owner);
    ~ApplyFileFlow() override;

    void start();
    const QList<ApplyResult> &results() const { return m_results; }

Q_SIGNALS:
    // After each write that changed a device.
    void written(const ApplyResult &result);
    // The flow is over (written, cancelled or failed); it may be deleted.
    void finished();

private:
    enum class Stage { DryRun, Write };
    void runStage(Stage stage);
    void step();
    void stageDone();
    void showPreview();
    void showSummary();
    void end();

    BatchSession &m_session;
    SetApplier m_applier;
    QList<BatchDevice> m_devices;
    QString m_file;
    QWidget *m_owner;
    Stage m_stage = Stage::DryRun;
    QList<BatchDevice> m_queue;
    QList<ApplyResult> m_results;
    QPointer<QProgressDialog> m_progress;
    QPointer<ApplyResultsDialog> m_dialog;
    QTimer m_timer;
    bool m_stopped = false;
};
