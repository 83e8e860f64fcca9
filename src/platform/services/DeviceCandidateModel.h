#pragma once

#include "platform/services/DeviceCandidate.h"
#include "platform/services/MultiDeviceSelectionTexts.h"

#include <QAbstractTableModel>
#include <QList>

// The devices a search found, each with a check box: name, subsystem path
// and whether the device answers. Rows keep the order they were added in.
class DeviceCandidateModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { NameColumn, SubsystemColumn, ReachableColumn, ColumnCount };

    explicit DeviceCandidateModel(const MultiDeviceSelectionTexts &texts, QObject *parent = nullptr);

    void append(const QList<DeviceCandidate> &candidates);
    const DeviceCandidate &candidate(int row) const { return m_rows.at(row).candidate; }
    bool isChecked(int row) const { return m_rows.at(row).checked; }
    void setChecked(int row, bool checked);
    // Rows ticked, in order.
    QList<int> checkedRows() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Row
    {
        DeviceCandidate candidate;
        bool checked = false;
    };

    MultiDeviceSelectionTexts m_texts;
    QList<Row> m_rows;
};
