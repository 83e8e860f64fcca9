#include "platform/netdb/NetDbNetworkVariable.h"

#include "platform/lns/LnsError.h"
#include "platform/netdb/NetDbSession.h"
#include "platform/netdb/NvPoller.h"
#include "platform/netdb/SnvtCatalog.h"

NetDbNetworkVariable::NetDbNetworkVariable(NetDbSessionRef session, qint64 id)
    : m_session(std::move(session)), m_id(id)
{
}

NetDbNvRow NetDbNetworkVariable::row() const
{
    return m_session->nvRow(m_id);
}

std::shared_ptr<LnsObject> NetDbNetworkVariable::parent() const
{
    const QVariantList values =
        m_session->selectRow(QStringLiteral("SELECT object_id FROM nvs WHERE id = ?"), {m_id},
                             QStringLiteral("The network variable no longer exists."));
    return NetDbObjects::lonMarkObject(m_session, values.at(0).toLongLong());
}

QString NetDbNetworkVariable::name() const
{
    return row().name;
}

int NetDbNetworkVariable::typeId() const
{
    return row().typeId;
}

QList<int> NetDbNetworkVariable::allowedTypeIds() const
{
    return row().allowed;
}

void NetDbNetworkVariable::changeType(int newTypeId)
{
    const Row current = row();
    if (!current.allowed.contains(newTypeId))
        throw LnsError(LnsErrorCode::TypeNotAllowed,
                       QStringLiteral("Network variable \"%1\" cannot take the type %2 (%3).")
                           .arg(current.name, QString::number(newTypeId), SnvtCatalog::name(newTypeId)));
    m_session->storeNvRow(m_id, newTypeId, SnvtCatalog::defaultValue(newTypeId));
}

LnsCollectionRef<LnsConfigProperty> NetDbNetworkVariable::configProperties() const
{
    if (!m_cps)
        m_cps = NetDbObjects::cpsOfNv(m_session, m_id);
    return m_cps;
}

QString NetDbNetworkVariable::value() const
{
    return row().value;
}

void NetDbNetworkVariable::setValue(const QString &text)
{
    const Row current = row();
    // A value the type cannot read would reach every reader of the NV.
    if (!SnvtCatalog::fits(current.typeId, text))
        throw LnsError(LnsErrorCode::InvalidValue,
                       QStringLiteral("The value \"%1\" does not fit network variable \"%2\" of type %3.")
                           .arg(text, current.name, SnvtCatalog::name(current.typeId)));
    m_session->storeNvRow(m_id, current.typeId, text);
}

QStringList NetDbNetworkVariable::elementNames() const
{
    return SnvtCatalog::elementNames(typeId());
}

int NetDbNetworkVariable::elementIndex(const Row &current, const QString &elementName) const
{
    const qsizetype index = SnvtCatalog::elementNames(current.typeId).indexOf(elementName);
    if (index < 0)
        throw LnsError(LnsErrorCode::NotFound,
                       QStringLiteral("Network variable \"%1\" (%2) has no element \"%3\".")
                           .arg(current.name, SnvtCatalog::name(current.typeId), elementName));
    return static_cast<int>(index);
}

QString NetDbNetworkVariable::elementValue(const QString &elementName) const
{
    const Row current = row();
    const int index = elementIndex(current, elementName);
    return current.value.split(QLatin1Char(' ')).value(index);
}

void NetDbNetworkVariable::setElementValue(const QString &elementName, const QString &text)
{
    const Row current = row();
    const int index = elementIndex(current, elementName);
    if (!SnvtCatalog::elementFits(current.typeId, index, text))
        throw LnsError(LnsErrorCode::InvalidValue,
                       QStringLiteral("The value \"%1\" does not fit element \"%2\" of "
                                      "network variable \"%3\".")
                           .arg(text, elementName, current.name));
    QStringList pieces = current.value.split(QLatin1Char(' '));
    const QStringList defaults = SnvtCatalog::defaultValue(current.typeId).split(QLatin1Char(' '));
    while (pieces.size() < defaults.size())
        pieces.append(defaults.at(pieces.size()));
    pieces[index] = text;
    m_session->storeNvRow(m_id, current.typeId, pieces.join(QLatin1Char(' ')));
}

LnsMonitorOptions NetDbNetworkVariable::monitorOptions() const
{
    const NvMonitorState *state = m_session->findMonitorState(m_id);
    return state ? state->options : LnsMonitorOptions{};
}

void NetDbNetworkVariable::beginEditMonitorOptions()
{
    m_session->requireOpen();
    m_session->monitorState(m_id).editing = true;
}

void NetDbNetworkVariable::setMonitorOptions(const LnsMonitorOptions &options)
{
    NvMonitorState &state = m_session->monitorState(m_id);
    if (!state.editing)
        throw LnsError(
            LnsErrorCode::InvalidArgument,
            QStringLiteral("The monitor options of network variable \"%1\" can only be set between "
                           "beginning and ending their editing.")
                .arg(name()));
    if (options.pollInterval < 0)
        throw LnsError(LnsErrorCode::InvalidArgument,
                       QStringLiteral("The poll interval %1 of network variable \"%2\" is negative.")
                           .arg(QString::number(options.pollInterval), name()));
    state.options = options;
}

void NetDbNetworkVariable::endEditMonitorOptions()
{
    NvMonitorState &state = m_session->monitorState(m_id);
    if (!state.editing)
        throw LnsError(LnsErrorCode::InvalidArgument,
                       QStringLiteral("The monitor options of network variable \"%1\" are not being edited.")
                           .arg(name()));
    state.editing = false;
    if (state.active)
        m_session->poller().start(m_id); // new interval
}

void NetDbNetworkVariable::setMonitorTag(int tag)
{
    m_session->monitorState(m_id).tag = tag;
}

int NetDbNetworkVariable::monitorTag() const
{
    const NvMonitorState *state = m_session->findMonitorState(m_id);
    return state ? state->tag : 0;
}

void NetDbNetworkVariable::activateMonitoring()
{
    const QVariantList values = m_session->selectRow(
        QStringLiteral("SELECT s.network_id, n.value FROM nvs n JOIN lonmark_objects o ON o.id = n.object_id "
                       "JOIN devices d ON d.id = o.device_id JOIN subsystems s ON s.id = d.subsystem_id "
                       "WHERE n.id = ?"),
        {m_id}, QStringLiteral("The network variable no longer exists."));
    if (!m_session->openMonitorSets.contains(values.at(0).toLongLong()))
        throw LnsError(
            LnsErrorCode::InvalidArgument,
            QStringLiteral("Monitoring of network variable \"%1\" needs the system's monitor set to be open.")
                .arg(name()));
    NvMonitorState &state = m_session->monitorState(m_id);
    state.active = true;
    state.networkId = values.at(0).toLongLong();
    state.lastValue = values.at(1).toString(); // event-driven delivery starts from the value seen now
    m_session->poller().start(m_id);
}

void NetDbNetworkVariable::deactivateMonitoring()
{
    m_session->monitorState(m_id).active = false;
    m_session->poller().stop(m_id);
}

bool NetDbNetworkVariable::isMonitored() const
{
    const NvMonitorState *state = m_session->findMonitorState(m_id);
    return state && state->active;
}
