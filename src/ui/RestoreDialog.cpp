#include "ui/RestoreDialog.h"

#include "batch/SetDifference.h"
#include "host/ResourceStrings.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int DialogTexts = 1981;
constexpr int EntryHeadings = 1982;
constexpr int DifferenceTexts = 1983;

QString text(int id, int item, const QStringList &values = {})
{
    return ResourceStrings::LoadResString(id, item, values);
}

enum EntryColumn { NumberColumn, WhenColumn, WhoColumn, ProgramColumn, SummaryColumn, EntryColumns };
} // namespace

RestoreDialog::RestoreDialog(const QString &deviceName, const QList<LnsHistoryEntry> &entries,
                             SetReader readSet, const ConfigurationSet &current, QWidget *owner)
    : QDialog(owner), m_readSet(std::move(readSet)), m_current(current), m_entriesCaption(new QLabel(this)),
      m_entries(new QTreeWidget(this)), m_differenceCaption(new QLabel(this)),
      m_difference(new QTableWidget(0, 4, this))
{
    setObjectName(QStringLiteral("frmRestore"));
    setModal(true);
    setWindowTitle(deviceName.isEmpty() ? text(DialogTexts, 1)
                                        : deviceName + QStringLiteral(" - ") + text(DialogTexts, 1));
    m_entriesCaption->setObjectName(QStringLiteral("lblEntries"));
    m_entriesCaption->setWordWrap(true);
    m_entries->setObjectName(QStringLiteral("lstEntries"));
    m_entries->setRootIsDecorated(false);
    m_entries->setSelectionMode(QAbstractItemView::SingleSelection);
    m_entries->setColumnCount(EntryColumns);
    QStringList headings;
    for (int column = 0; column < EntryColumns; ++column)
        headings << text(EntryHeadings, column + 1);
    m_entries->setHeaderLabels(headings);
    m_differenceCaption->setObjectName(QStringLiteral("lblDifference"));
    m_differenceCaption->setWordWrap(true);
    m_difference->setObjectName(QStringLiteral("tblDifference"));
    m_difference->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_difference->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_difference->verticalHeader()->hide();
    m_difference->setHorizontalHeaderLabels({text(DifferenceTexts, 5), text(DifferenceTexts, 6),
                                             text(DifferenceTexts, 7), text(DifferenceTexts, 8)});
    m_difference->horizontalHeader()->setStretchLastSection(true);

    auto *buttons = new QDialogButtonBox(this);
    buttons->setObjectName(QStringLiteral("buttons"));
    m_restore = buttons->addButton(text(DialogTexts, 4), QDialogButtonBox::AcceptRole);
    m_restore->setObjectName(QStringLiteral("btnRestore"));
    m_restore->setEnabled(false);
    m_cancel = buttons->addButton(text(DialogTexts, 5), QDialogButtonBox::RejectRole);
    m_cancel->setObjectName(QStringLiteral("btnCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_entries, &QTreeWidget::itemSelectionChanged, this, &RestoreDialog::showEntry);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_entriesCaption);
    layout->addWidget(m_entries, 2);
    layout->addWidget(m_differenceCaption);
    layout->addWidget(m_difference, 3);
    layout->addWidget(buttons);
    resize(760, 520);

    if (entries.isEmpty()) {
        m_entriesCaption->setText(text(DialogTexts, 3, {deviceName}));
        m_entries->hide();
        m_differenceCaption->hide();
        m_difference->hide();
        m_cancel->setFocus();
        return;
    }
    m_entriesCaption->setText(text(DialogTexts, 2, {deviceName}));
    fillEntries(entries);
    m_entries->setFocus();
    showEntry();
}

void RestoreDialog::fillEntries(const QList<LnsHistoryEntry> &entries)
{
    for (const LnsHistoryEntry &entry : entries) {
        auto *item = new QTreeWidgetItem(m_entries);
        item->setData(NumberColumn, Qt::UserRole, entry.number);
        item->setText(NumberColumn, QString::number(entry.number));
        // Stored in UTC; the user reads the time of the place he sits at.
        item->setText(WhenColumn, entry.when.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        item->setText(WhoColumn, entry.user + QLatin1Char('@') + entry.host);
        item->setText(ProgramColumn, entry.program);
        item->setText(SummaryColumn, entry.summary);
        item->setToolTip(SummaryColumn, entry.summary);
    }
    for (int column = 0; column < SummaryColumn; ++column)
        m_entries->resizeColumnToContents(column);
}

void RestoreDialog::showEntry()
{
    const QList<QTreeWidgetItem *> selected = m_entries->selectedItems();
    m_chosen = 0;
    m_restore->setEnabled(false);
    m_difference->setRowCount(0);
    if (selected.isEmpty()) {
        m_differenceCaption->setText(text(DifferenceTexts, 1));
        return;
    }
    const int number = selected.first()->data(NumberColumn, Qt::UserRole).toInt();
    if (!m_sets.contains(number)) {
        ConfigurationSet set;
        if (!m_readSet || !m_readSet(number, set)) {
            // Pruned by another client since the list was read, or damaged.
            m_differenceCaption->setText(text(DifferenceTexts, 4, {QString::number(number)}));
            return;
        }
        m_sets.insert(number, set);
    }
    m_chosen = number;
    m_restore->setEnabled(true);
    showDifference(number, m_sets.value(number));
}

void RestoreDialog::showDifference(int number, const ConfigurationSet &set)
{
    // Both sets come from the device's own objects: their names count too.
    const QList<SetDifferenceRow> rows = SetDifference::between(set, m_current, true);
    const QString written = QString::number(number);
    m_differenceCaption->setText(text(DifferenceTexts, rows.isEmpty() ? 3 : 2, {written}));
    m_difference->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        const SetDifferenceRow &row = rows.at(r);
        const QStringList cells{row.place, row.item, row.before, row.after};
        for (int column = 0; column < cells.size(); ++column) {
            auto *cell = new QTableWidgetItem(cells.at(column));
            cell->setToolTip(row.parameter);
            m_difference->setItem(r, column, cell);
        }
    }
    m_difference->resizeColumnsToContents();
}
