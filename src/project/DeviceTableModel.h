#pragma once

#include "project/ProjectDevice.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>

// The devices of one network as table rows. Each row's cells are worded
// when asked for (a view asks only for the rows it shows); the filter text
// of a row is made once, when the row comes or changes.
class DeviceTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Name, Subsystem, ProgramId, Reachable, Modules, LastWritten, Conformance, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void setDevices(QList<ProjectDevice> devices);
    const QList<ProjectDevice> &devices() const { return m_devices; }
    const ProjectDevice &device(int row) const { return m_devices.at(row); }
    // The row's lower-case words for the filter.
    const QString &filterText(int row) const { return m_filterTexts.at(row); }
    // The row of the device of that subsystem path and name; -1 for none.
    int rowOf(const QString &subsystemPath, const QString &name) const;
    void setConformance(int row, int state, int differences);
    void clearConformance();
    void setLastWrite(int row, const QDateTime &when, const QString &who);

    // "RP4 · JT2 · — · …", the eight slots in short.
    QString modulesText(const QList<int> &modules) const;
    // "1: sorvan RP4", a line per slot.
    static QString moduleNames(const QList<int> &modules);
    static QString conformanceText(int state, int differences);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QString text(const ProjectDevice &device, int column) const;
    QString filterText(const ProjectDevice &device) const;
    void rowChanged(int row);

    QList<ProjectDevice> m_devices;
    QStringList m_filterTexts;
    QHash<std::pair<QString, QString>, int> m_rows; // by subsystem path and name
    mutable QHash<int, QString> m_shortNames;
};
