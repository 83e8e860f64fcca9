#include "monitoring/cMonitorPoint.h"

#include "host/PlugInGlobals.h"
#include "host/ResourceStrings.h"
#include "params/LogService.h"
#include "platform/AppError.h"
#include "platform/services/NvTypeChanger.h"

namespace {
constexpr int TypeChangeFailedText = 1542;

// Runs edit between the NV's begin and end of option editing; the bracket is
// closed even when edit fails, so the NV is not left half edited.
template <class Edit> void editMonitorOptions(LnsNetworkVariable &nv, Edit edit)
{
    nv.beginEditMonitorOptions();
    try {
        LnsMonitorOptions options = nv.monitorOptions();
        edit(options);
        nv.setMonitorOptions(options);
    } catch (...) {
        nv.endEditMonitorOptions();
        throw;
    }
    nv.endEditMonitorOptions();
}
} // namespace

QString cMonitorPoint::Value() const
{
    if (!m_nv)
        return {};
    return m_nv->value();
}

void cMonitorPoint::setValue(const QString &text)
{
    if (m_nv)
        m_nv->setValue(text);
}

void cMonitorPoint::setMonitoringType(int monitoringType)
{
    if (!m_available || !m_nv)
        return;
    m_monitoringType = monitoringType;
    editMonitorOptions(*m_nv, [monitoringType](LnsMonitorOptions &options) {
        options.eventDriven = monitoringType == EventDriven;
    });
}

void cMonitorPoint::setEventTag(int tag)
{
    m_eventTag = tag;
    if (m_nv)
        m_nv->setMonitorTag(tag);
}

bool cMonitorPoint::SetElementValue(const QString &elementName, const QString &value)
{
    if (!m_nv)
        return false;
    try {
        m_nv->setElementValue(elementName, value);
    } catch (const AppError &) {
        return false;
    }
    return true;
}

bool cMonitorPoint::GetElementValue(const QString &elementName, QString &value) const
{
    if (!m_nv)
        return false;
    try {
        value = m_nv->elementValue(elementName);
    } catch (const AppError &) {
        return false;
    }
    return true;
}

void cMonitorPoint::writeMonitorOptions()
{
    editMonitorOptions(*m_nv, [this](LnsMonitorOptions &options) {
        options.eventDriven = m_monitoringType == EventDriven;
        options.pollInterval = m_pollInterval;
        options.format = m_format;
        options.reportByException = m_reportByException;
    });
}

bool cMonitorPoint::ActivateMonitoring()
{
    if (!m_available || !m_nv)
        return false;
    try {
        if (!m_nv->isMonitored()) {
            writeMonitorOptions();
            m_nv->activateMonitoring();
        }
    } catch (const AppError &error) {
        PlugInGlobals::LogError(error, QStringLiteral("cMonitorPoint"), QStringLiteral("ActivateMonitoring"));
        return false;
    }
    m_monitoringIsActive = true;
    return true;
}

void cMonitorPoint::DeactivateMonitoring()
{
    if (m_nv) {
        try {
            m_nv->deactivateMonitoring();
        } catch (const AppError &error) {
            PlugInGlobals::LogError(error, QStringLiteral("cMonitorPoint"),
                                    QStringLiteral("DeactivateMonitoring"));
        }
    }
    m_monitoringIsActive = false;
}

bool cMonitorPoint::ChangeNvType(int typeId, const QString &programId, int scope)
{
    if (!m_nv)
        return false;
    QString nvName;
    try {
        nvName = m_nv->name();
        if (m_nv->typeId() == typeId)
            return true;
    } catch (const AppError &error) {
        logTypeChangeFailure(nvName, error.description());
        return false;
    }
    // The changer works on a copy: what it leaves behind after a refusal is
    // not the NV this point stands for.
    LnsRef<LnsNetworkVariable> changed = m_nv;
    QString errorText;
    NvTypeChanger changer;
    if (!changer.changeType(changed, typeId, programId, scope, errorText)) {
        logTypeChangeFailure(nvName, errorText);
        return false;
    }
    if (changed && changed != m_nv) {
        // A new NV object does not know this point's tag yet.
        m_nv = changed;
        m_nv->setMonitorTag(m_eventTag);
    }
    return true;
}

void cMonitorPoint::logTypeChangeFailure(const QString &nvName, const QString &reason) const
{
    LogService &log = LogService::instance();
    log.WriteLogLine(ResourceStrings::LoadResString(TypeChangeFailedText, 1, {nvName}), LogService::Red);
    log.WriteLogLine(reason, LogService::Red);
}
