#include "project/ApplyResultsDialog.h"

#include "batch/SetDifference.h"
#include "project/ProjectTexts.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

ApplyResultsDialog::ApplyResultsDialog(Stage stage, const QString &file, const QList<ApplyResult> &results,
                                       QWidget *owner)
    : QDialog(owner)
{
    const bool preview = stage == Stage::Preview;
    setObjectName(preview ? QStringLiteral("applyPreview") : QStringLiteral("applySummary"));
    setWindowTitle(ProjectTexts::caption(preview ? ProjectTexts::PreviewTitle : ProjectTexts::SummaryTitle,
                                         {QFileInfo(file).fileName()}));
    auto *layout = new QVBoxLayout(this);
    m_counts = new QLabel(countsLine(stage, results), this);
    m_counts->setObjectName(QStringLiteral("lblCounts"));
    layout->addWidget(m_counts);

    m_table = new QTableWidget(static_cast<int>(results.size()), 3, this);
    m_table->setObjectName(QStringLiteral("tblResults"));
    m_table->setHorizontalHeaderLabels({BatchTexts::heading(BatchTexts::Device),
                                        BatchTexts::heading(BatchTexts::Result),
                                        ProjectTexts::caption(ProjectTexts::ChangesColumn)});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < results.size(); ++row) {
        const ApplyResult &result = results.at(row);
        m_table->setItem(row, 0, new QTableWidgetItem(result.device.name));
        m_table->item(row, 0)->setToolTip(result.device.objectName());
        m_table->setItem(row, 1, new QTableWidgetItem(resultText(result)));
        const QString changes =
            result.succeeded() ? SetDifference::summary(SetDifference::between(result.before, result.after))
                               : result.detail;
        m_table->setItem(row, 2, new QTableWidgetItem(changes));
        m_table->item(row, 2)->setToolTip(changes);
    }
    m_table->resizeColumnsToContents();
    layout->addWidget(m_table);

    auto *buttons = new QDialogButtonBox(this);
    buttons->setObjectName(QStringLiteral("buttons"));
    if (preview) {
        QPushButton *write = buttons->addButton(ProjectTexts::caption(ProjectTexts::WriteButton),
                                                QDialogButtonBox::AcceptRole);
        write->setObjectName(QStringLiteral("btnWrite"));
        const bool anyChange = std::any_of(results.begin(), results.end(), [](const ApplyResult &result) {
            return result.state == BatchTexts::WouldChange;
        });
        write->setEnabled(anyChange);
        QPushButton *cancel = buttons->addButton(QDialogButtonBox::Cancel);
        cancel->setObjectName(QStringLiteral("btnCancel"));
    } else {
        QPushButton *close = buttons->addButton(ProjectTexts::caption(ProjectTexts::CloseButton),
                                                QDialogButtonBox::AcceptRole);
        close->setObjectName(QStringLiteral("btnClose"));
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(760, 420);
}

QString ApplyResultsDialog::countsLine(Stage stage, const QList<ApplyResult> &results)
{
    const auto count = [&results](const std::function<bool(const ApplyResult &)> &which) {
        return QString::number(std::count_if(results.begin(), results.end(), which));
    };
    const QString failed = count([](const ApplyResult &result) { return !result.succeeded(); });
    const QString all = QString::number(results.size());
    if (stage == Stage::Preview)
        return ProjectTexts::message(
            ProjectTexts::PreviewCounts,
            {count([](const ApplyResult &result) { return result.state == BatchTexts::WouldChange; }), all,
             failed});
    return BatchTexts::line(
        BatchTexts::ApplySummary,
        {count([](const ApplyResult &result) { return result.succeeded(); }), all, failed});
}

QString ApplyResultsDialog::resultText(const ApplyResult &result)
{
    QString text = BatchTexts::state(result.state);
    if (!result.succeeded())
        text += QStringLiteral(" (") + BatchTexts::reason(result.reason) + QLatin1Char(')');
    return text;
}
