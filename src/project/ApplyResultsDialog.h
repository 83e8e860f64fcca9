#pragma once

#include "batch/SetApplier.h"

#include <QDialog>
#include <QList>

class QLabel;
class QPushButton;
class QTableWidget;

// What putting a file on the chosen devices would do (before: Write or
// Cancel) or did (after: the summary), a row a device with what changes.
class ApplyResultsDialog : public QDialog
{
    Q_OBJECT
public:
    enum class Stage { Preview, Summary };

    ApplyResultsDialog(Stage stage, const QString &file, const QList<ApplyResult> &results, QWidget *owner);

    // "3 written of 5, 2 not written", or what would be written.
    static QString countsLine(Stage stage, const QList<ApplyResult> &results);
    static QString resultText(const ApplyResult &result);

private:
    QLabel *m_counts;
    QTableWidget *m_table;
};
