#include "project/DeviceFilterModel.h"

#include "project/DeviceTableModel.h"

DeviceFilterModel::DeviceFilterModel(DeviceTableModel &devices, QObject *parent)
    : QSortFilterProxyModel(parent), m_devices(devices)
{
    setSourceModel(&devices);
    setSortCaseSensitivity(Qt::CaseInsensitive);
}

void DeviceFilterModel::setSubsystem(const QString &path)
{
    if (path == m_path)
        return;
    m_path = path;
    invalidateRowsFilter();
}

void DeviceFilterModel::setFilterWords(const QString &text)
{
    const QStringList words = text.toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words == m_words)
        return;
    m_words = words;
    invalidateRowsFilter();
}

bool DeviceFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    if (sourceParent.isValid())
        return false;
    if (!m_path.isEmpty()) {
        const QString &path = m_devices.device(sourceRow).device.subsystemPath;
        // "Floor 1" holds "Floor 1.Room 2", not "Floor 10".
        if (!path.startsWith(m_path) ||
            (path.size() > m_path.size() && path.at(m_path.size()) != QLatin1Char('.')))
            return false;
    }
    if (m_words.isEmpty())
        return true;
    const QString &text = m_devices.filterText(sourceRow);
    for (const QString &word : m_words) {
        if (!text.contains(word))
            return false;
    }
    return true;
}
