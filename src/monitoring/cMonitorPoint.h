#pragma once

#include "platform/lns/LnsNetworkVariable.h"

#include <QString>

class cMonitorPoints;

// One network variable of the device under a name: its value as text, its
// elements, its monitoring options and the change of its type. A point
// without an NV (not Available) answers with empty values and does nothing.
class cMonitorPoint
{
public:
    // The monitoring type whose values are delivered on change only; the
    // types 0 and 2 are polled.
    static constexpr int EventDriven = 1;

    static constexpr int FirstEventTag = 5000;

    const QString &Name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }
    bool Available() const { return m_available; }
    void setAvailable(bool available) { m_available = available; }
    cMonitorPoints *Parent() const { return m_parent; }
    void setParent(cMonitorPoints *parent) { m_parent = parent; }
    const LnsRef<LnsNetworkVariable> &NetworkVariable() const { return m_nv; }
    void setNetworkVariable(const LnsRef<LnsNetworkVariable> &nv) { m_nv = nv; }

    // The NV's value as LNS has it now; LNS errors reach the caller.
    QString Value() const;
    void setValue(const QString &text);
    // The value the last update event delivered.
    const QString &BufferedValue() const { return m_bufferedValue; }
    void setBufferedValue(const QString &value) { m_bufferedValue = value; }

    int MonitoringType() const { return m_monitoringType; }
    // Only on an Available point: stored, and the NV's event-driven option
    // follows it at once (on for EventDriven only).
    void setMonitoringType(int monitoringType);

    // Handed to the NV's monitoring options when monitoring starts.
    int PollInterval() const { return m_pollInterval; }
    void setPollInterval(int milliseconds) { m_pollInterval = milliseconds; }
    const QString &Format() const { return m_format; }
    void setFormat(const QString &format) { m_format = format; }
    bool ReportByException() const { return m_reportByException; }
    void setReportByException(bool report) { m_reportByException = report; }

    bool MonitoringIsActive() const { return m_monitoringIsActive; }
    // A point activated on its own is left alone by its collection.
    bool IndependentMonitoring() const { return m_independentMonitoring; }
    void setIndependentMonitoring(bool independent) { m_independentMonitoring = independent; }

    // Identifies the point in the object server's events; also given to the NV.
    int EventTag() const { return m_eventTag; }
    void setEventTag(int tag);

    // Element access through the NV's data point; an LNS error gives false.
    bool SetElementValue(const QString &elementName, const QString &value);
    bool GetElementValue(const QString &elementName, QString &value) const;

    // Writes the monitoring options (unless the NV is monitored already) and
    // starts the NV's monitoring. False, with the error logged, when LNS
    // refuses, for instance while the system's monitor set is closed.
    bool ActivateMonitoring();
    void DeactivateMonitoring();

    // Gives the NV the type typeId from the resource set programId/scope.
    // The type it has already costs no call. A refusal is written to the log
    // in red (the NV's name, then the reason) and gives false. The NV object
    // may be replaced by the change; the point keeps the new one.
    bool ChangeNvType(int typeId, const QString &programId, int scope);

private:
    void writeMonitorOptions();
    void logTypeChangeFailure(const QString &nvName, const QString &reason) const;

    QString m_name;
    bool m_available = false;
    cMonitorPoints *m_parent = nullptr;
    LnsRef<LnsNetworkVariable> m_nv;
    QString m_bufferedValue;
    int m_monitoringType = 0;
    int m_pollInterval = 0;
    QString m_format;
    bool m_reportByException = false;
    bool m_monitoringIsActive = false;
    bool m_independentMonitoring = false;
    int m_eventTag = 0;
};
