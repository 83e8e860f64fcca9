#include "project/CompareDialog.h"

#include "batch/BatchTexts.h"
#include "project/ProjectTexts.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

CompareDialog::CompareDialog(const QString &a, const QString &b, const QList<SetDifferenceRow> &rows,
                             QWidget *owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("compareDialog"));
    setWindowTitle(ProjectTexts::caption(ProjectTexts::CompareTitle, {a, b}));
    auto *layout = new QVBoxLayout(this);
    auto *caption = new QLabel(rows.isEmpty() ? ProjectTexts::message(ProjectTexts::SameConfiguration, {a, b})
                                              : QStringLiteral("%1 ⟷ %2").arg(a, b),
                               this);
    caption->setObjectName(QStringLiteral("lblCompared"));
    caption->setWordWrap(true);
    layout->addWidget(caption);

    auto *table = new QTableWidget(static_cast<int>(rows.size()), 4, this);
    table->setObjectName(QStringLiteral("tblDifference"));
    table->setHorizontalHeaderLabels(
        {BatchTexts::heading(BatchTexts::Place), BatchTexts::heading(BatchTexts::Item), a, b});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < rows.size(); ++row) {
        const SetDifferenceRow &difference = rows.at(row);
        const QStringList cells{difference.place, difference.item, difference.before, difference.after};
        for (int column = 0; column < cells.size(); ++column)
            table->setItem(row, column, new QTableWidgetItem(cells.at(column)));
        table->item(row, 1)->setToolTip(difference.parameter);
    }
    table->resizeColumnsToContents();
    layout->addWidget(table);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *close =
        buttons->addButton(ProjectTexts::caption(ProjectTexts::CloseButton), QDialogButtonBox::AcceptRole);
    close->setObjectName(QStringLiteral("btnClose"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    resize(820, 460);
}
