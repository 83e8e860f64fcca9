#include "project/DeviceTableModel.h"

#include "batch/SetWords.h"
#include "project/ProjectTexts.h"

namespace {
constexpr int SlotCount = 8;

QString shortModule(int code)
{
    // Slot not fitted, or never set.
    if (code == 255 || code < 0)
        return ProjectTexts::word(ProjectTexts::EmptySlot);
    return SetWords::moduleShortName(code);
}
} // namespace

void DeviceTableModel::setDevices(QList<ProjectDevice> devices)
{
    beginResetModel();
    m_shortNames.clear(); // the language may have changed
    m_devices = std::move(devices);
    m_filterTexts.clear();
    m_filterTexts.reserve(m_devices.size());
    m_rows.clear();
    m_rows.reserve(m_devices.size());
    for (const ProjectDevice &device : std::as_const(m_devices)) {
        m_rows.insert({device.device.subsystemPath, device.device.name},
                      static_cast<int>(m_filterTexts.size()));
        m_filterTexts.append(filterText(device));
    }
    endResetModel();
}

int DeviceTableModel::rowOf(const QString &subsystemPath, const QString &name) const
{
    return m_rows.value({subsystemPath, name}, -1);
}

void DeviceTableModel::setConformance(int row, int state, int differences)
{
    ProjectDevice &device = m_devices[row];
    device.conformance = state;
    device.differences = differences;
    rowChanged(row);
}

void DeviceTableModel::clearConformance()
{
    for (qsizetype row = 0; row < m_devices.size(); ++row) {
        m_devices[row].conformance = 0;
        m_devices[row].differences = 0;
        m_filterTexts[row] = filterText(m_devices.at(row));
    }
    if (!m_devices.isEmpty())
        Q_EMIT dataChanged(index(0, Conformance), index(rowCount() - 1, Conformance));
}

void DeviceTableModel::setLastWrite(int row, const QDateTime &when, const QString &who)
{
    m_devices[row].lastWritten = when;
    m_devices[row].lastWriter = who;
    rowChanged(row);
}

void DeviceTableModel::rowChanged(int row)
{
    m_filterTexts[row] = filterText(m_devices.at(row));
    Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

QString DeviceTableModel::modulesText(const QList<int> &modules) const
{
    if (modules.isEmpty())
        return QString();
    QStringList slots;
    for (int slot = 0; slot < SlotCount; ++slot) {
        const int code = modules.value(slot, 255);
        auto known = m_shortNames.constFind(code);
        if (known == m_shortNames.constEnd())
            known = m_shortNames.insert(code, shortModule(code));
        slots << *known;
    }
    return slots.join(QStringLiteral(" · "));
}

QString DeviceTableModel::moduleNames(const QList<int> &modules)
{
    QStringList names;
    for (qsizetype slot = 0; slot < modules.size(); ++slot)
        names << QStringLiteral("%1: %2").arg(slot + 1).arg(SetWords::moduleType(modules.at(slot)));
    return names.join(QLatin1Char('\n'));
}

QString DeviceTableModel::conformanceText(int state, int differences)
{
    if (state == 0)
        return QString();
    return BatchTexts::state(static_cast<BatchTexts::State>(state), {QString::number(differences)});
}

int DeviceTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_devices.size());
}

int DeviceTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant DeviceTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_devices.size())
        return {};
    const ProjectDevice &device = m_devices.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return text(device, index.column());
    case Qt::ToolTipRole:
        return index.column() == Modules ? moduleNames(device.modules) : QString();
    default:
        return {};
    }
}

QString DeviceTableModel::text(const ProjectDevice &device, int column) const
{
    switch (column) {
    case Name:
        return device.device.name;
    case Subsystem:
        return device.device.subsystemPath;
    case ProgramId:
        return device.device.programId + QStringLiteral(" (") +
               ProjectTexts::word(device.served ? ProjectTexts::Rx24 : ProjectTexts::OtherKind) +
               QLatin1Char(')');
    case Reachable:
        return ProjectTexts::word(device.device.reachable ? ProjectTexts::Yes : ProjectTexts::No);
    case Modules:
        return modulesText(device.modules);
    case LastWritten:
        return device.lastWritten.isNull()
                   ? QString()
                   : ProjectTexts::word(ProjectTexts::WrittenBy, {device.lastWritten.toLocalTime().toString(
                                                                      QStringLiteral("yyyy-MM-dd HH:mm")),
                                                                  device.lastWriter});
    case Conformance:
        return conformanceText(device.conformance, device.differences);
    default:
        return QString();
    }
}

QString DeviceTableModel::filterText(const ProjectDevice &device) const
{
    QStringList words{device.device.name, modulesText(device.modules), text(device, ProgramId),
                      device.device.reachable ? QString() : BatchTexts::state(BatchTexts::UnreachableState),
                      conformanceText(device.conformance, device.differences)};
    return words.join(QLatin1Char('\n')).toLower();
}

QVariant DeviceTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const ProjectTexts::Caption captions[] = {
        ProjectTexts::NameColumn,       ProjectTexts::SubsystemColumn, ProjectTexts::ProgramIdColumn,
        ProjectTexts::ReachableColumn,  ProjectTexts::ModulesColumn,   ProjectTexts::LastWrittenColumn,
        ProjectTexts::ConformanceColumn};
    return section >= 0 && section < ColumnCount ? ProjectTexts::caption(captions[section]) : QVariant();
}
