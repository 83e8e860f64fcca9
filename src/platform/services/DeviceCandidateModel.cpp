#include "platform/services/DeviceCandidateModel.h"

#include <QBrush>
#include <QPalette>

DeviceCandidateModel::DeviceCandidateModel(const MultiDeviceSelectionTexts &texts, QObject *parent)
    : QAbstractTableModel(parent), m_texts(texts)
{
}

void DeviceCandidateModel::append(const QList<DeviceCandidate> &candidates)
{
    if (candidates.isEmpty())
        return;
    const int first = static_cast<int>(m_rows.size());
    beginInsertRows({}, first, first + static_cast<int>(candidates.size()) - 1);
    m_rows.reserve(m_rows.size() + candidates.size());
    for (const DeviceCandidate &candidate : candidates)
        m_rows.append(Row{candidate, false});
    endInsertRows();
}

void DeviceCandidateModel::setChecked(int row, bool checked)
{
    if (row < 0 || row >= m_rows.size() || m_rows.at(row).checked == checked)
        return;
    m_rows[row].checked = checked;
    const QModelIndex cell = index(row, NameColumn);
    Q_EMIT dataChanged(cell, cell, {Qt::CheckStateRole});
}

QList<int> DeviceCandidateModel::checkedRows() const
{
    QList<int> rows;
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rows.at(row).checked)
            rows.append(row);
    }
    return rows;
}

int DeviceCandidateModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int DeviceCandidateModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant DeviceCandidateModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Row &row = m_rows.at(index.row());
    if (role == Qt::CheckStateRole && index.column() == NameColumn)
        return row.checked ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::ForegroundRole && !row.candidate.reachable)
        return QBrush(QPalette().color(QPalette::Disabled, QPalette::Text));
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case NameColumn:
        return row.candidate.name;
    case SubsystemColumn:
        return row.candidate.subsystemPath;
    case ReachableColumn:
        return row.candidate.reachable ? m_texts.yes : m_texts.no;
    default:
        return {};
    }
}

bool DeviceCandidateModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.column() != NameColumn || role != Qt::CheckStateRole)
        return false;
    setChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags DeviceCandidateModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags result = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == NameColumn)
        result |= Qt::ItemIsUserCheckable;
    return result;
}

QVariant DeviceCandidateModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case NameColumn:
        return m_texts.columnDevice;
    case SubsystemColumn:
        return m_texts.columnSubsystem;
    case ReachableColumn:
        return m_texts.columnReachable;
    default:
        return {};
    }
}
