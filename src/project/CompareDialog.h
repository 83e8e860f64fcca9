#pragma once

#include "batch/SetDifference.h"

#include <QDialog>

// What differs between two configurations (two devices, or a device and a
// parameter file), a row a difference, in the words of the window.
class CompareDialog : public QDialog
{
    Q_OBJECT
public:
    CompareDialog(const QString &a, const QString &b, const QList<SetDifferenceRow> &rows, QWidget *owner);
};
