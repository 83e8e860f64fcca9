#include "project/ApplyFileFlow.h"

#include "project/ApplyResultsDialog.h"
#include "project/ProjectTexts.h"

#include <QFileInfo>
#include <QProgressDialog>

ApplyFileFlow::ApplyFileFlow(BatchSession &session, QList<BatchDevice> devices, QString file, QWidget *owner)
    : QObject(owner), m_session(session), m_applier(session), m_devices(std::move(devices)),
      m_file(std::move(file)), m_owner(owner)
{
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &ApplyFileFlow::step);
}

ApplyFileFlow::~ApplyFileFlow()
{
    delete m_progress;
    delete m_dialog;
}

void ApplyFileFlow::start()
{
    runStage(Stage::DryRun);
}

void ApplyFileFlow::runStage(Stage stage)
{
    m_stage = stage;
    m_queue = m_devices;
    m_results.clear();
    m_stopped = false;
    delete m_progress;
    m_progress = new QProgressDialog(
        ProjectTexts::caption(ProjectTexts::Applying, {QFileInfo(m_file).fileName()}),
        ProjectTexts::caption(ProjectTexts::CancelButton), 0, static_cast<int>(m_devices.size()), m_owner);
    m_progress->setObjectName(QStringLiteral("applyProgress"));
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setAutoClose(false);
    m_progress->setAutoReset(false);
    m_progress->setMinimumDuration(0);
    m_progress->setValue(0);
    m_progress->show();
    m_timer.start();
}

void ApplyFileFlow::step()
{
    // A cancel is taken between two devices: the one being written is whole.
    if (m_progress && m_progress->wasCanceled())
        m_stopped = true;
    if (m_stopped || m_queue.isEmpty()) {
        stageDone();
        return;
    }
    const BatchDevice device = m_queue.takeFirst();
    if (m_progress)
        m_progress->setLabelText(device.objectName());
    ApplyResult result;
    try {
        result = m_applier.applyFile(device, m_file, m_stage == Stage::DryRun);
    } catch (const std::exception &error) {
        result.device = device;
        result.state = BatchTexts::NotWritten;
        result.reason = BatchTexts::WriteFailed;
        result.detail = QString::fromUtf8(error.what());
    }
    m_results.append(result);
    if (m_stage == Stage::Write && result.state == BatchTexts::Written)
        Q_EMIT written(result);
    if (m_progress)
        m_progress->setValue(static_cast<int>(m_results.size()));
}

void ApplyFileFlow::stageDone()
{
    m_timer.stop();
    if (m_progress) {
        m_progress->hide();
        m_progress->deleteLater();
    }
    if (m_stage == Stage::DryRun) {
        if (m_stopped)
            end();
        else
            showPreview();
        return;
    }
    // The devices a stop left untouched are listed as stopped.
    for (const BatchDevice &device : std::as_const(m_queue)) {
        ApplyResult untouched;
        untouched.device = device;
        untouched.reason = BatchTexts::Stopped;
        m_results.append(untouched);
    }
    m_queue.clear();
    showSummary();
}

void ApplyFileFlow::showPreview()
{
    m_dialog = new ApplyResultsDialog(ApplyResultsDialog::Stage::Preview, m_file, m_results, m_owner);
    connect(m_dialog, &QDialog::finished, this, [this](int answer) {
        m_dialog->deleteLater();
        if (answer != QDialog::Accepted) {
            end();
            return;
        }
        // Every device again: one that holds the set already is left alone,
        // one that did not answer may answer now.
        runStage(Stage::Write);
    });
    m_dialog->open();
}

void ApplyFileFlow::showSummary()
{
    m_dialog = new ApplyResultsDialog(ApplyResultsDialog::Stage::Summary, m_file, m_results, m_owner);
    connect(m_dialog, &QDialog::finished, this, [this] {
        m_dialog->deleteLater();
        end();
    });
    m_dialog->open();
}

void ApplyFileFlow::end()
{
    Q_EMIT finished();
}
