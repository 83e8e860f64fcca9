#pragma once

#include <QSortFilterProxyModel>
#include <QStringList>

class DeviceTableModel;

// The rows of the chosen part of the tree (a subsystem and those below it,
// or the whole network) that hold every word typed into the filter box, in
// their name, modules, kind or state.
class DeviceFilterModel : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    explicit DeviceFilterModel(DeviceTableModel &devices, QObject *parent = nullptr);

    // Empty: the whole network.
    void setSubsystem(const QString &path);
    const QString &subsystem() const { return m_path; }
    void setFilterWords(const QString &text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    DeviceTableModel &m_devices;
    QString m_path;
    QStringList m_words;
};
