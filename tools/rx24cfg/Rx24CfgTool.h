#pragma once

#include "batch/BatchDevice.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <memory>

class BatchError;
class BatchSession;
class ConfigurationSet;
struct ApplyResult;

// The commands of rx24cfg: export, apply, diff, conformance, history and
// restore over the devices of a network database, on the plug-in's own
// model. Exit codes: 0 done, 1 bad usage or an unreadable file or
// database, 2 some devices were not written, 3 what was compared differs.
class Rx24CfgTool
{
public:
    enum ExitCode { Ok = 0, BadUsage = 1, NotAllWritten = 2, Differs = 3 };

    Rx24CfgTool(QTextStream &out, QTextStream &err);
    ~Rx24CfgTool();

    int run(QStringList arguments);
    // Ctrl+C: the device being written is finished, then the command stops.
    void requestStop() { m_stopRequested = true; }
    // Called between two devices; the program lets its signals in here.
    void setBetweenDevices(std::function<void()> hook) { m_betweenDevices = std::move(hook); }
    // Progress as a bar that redraws itself (a terminal) or as one line a device.
    void setProgressBar(bool bar) { m_progressBar = bar; }

private:
    int dispatch(const QString &command, QStringList args);
    int exportSet(const QStringList &args);
    int apply(QStringList args);
    int diff(QStringList args);
    int conformance(QStringList args);
    int history(const QStringList &args);
    int restore(QStringList args);

    // The one device name names; BatchError otherwise.
    BatchDevice oneDevice(const QString &name);
    // The same, and one that answers.
    BatchDevice answeringDevice(const QString &name);
    ConfigurationSet setOf(const QString &operand, const QString &other);
    // Every device of the targets in turn, until a stop; unknown gets a target
    // that names nothing.
    void forEachTarget(const QStringList &targets, const std::function<void(const BatchDevice &)> &visit,
                       const std::function<void(const QString &, const BatchError &)> &unknown);
    // members: the report's members besides the devices and the counts.
    bool applyTo(const QStringList &targets, const std::function<ApplyResult(const BatchDevice &)> &apply,
                 const QJsonObject &members);
    void progress(int done, const QString &device, const QString &state);
    void finishProgress();
    void printJson(const QJsonObject &document);
    QJsonArray rowsJson(const ConfigurationSet &a, const ConfigurationSet &b, bool withNames) const;
    void printRows(const ConfigurationSet &a, const ConfigurationSet &b, bool withNames,
                   const QString &indent);

    QTextStream &m_out;
    QTextStream &m_err;
    std::unique_ptr<BatchSession> m_session;
    QString m_databasePath;
    bool m_json = false;
    bool m_progressBar = false;
    bool m_stopRequested = false;
    int m_progressWidth = 0;
    std::function<void()> m_betweenDevices;
};
