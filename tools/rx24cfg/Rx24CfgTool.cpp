#include "Rx24CfgTool.h"

#include "DeviceReport.h"
#include "TextTable.h"
#include "batch/BatchError.h"
#include "batch/BatchSession.h"
#include "batch/BatchTexts.h"
#include "batch/ConformanceCheck.h"
#include "batch/SetApplier.h"
#include "batch/SetDifference.h"
#include "host/LcaPlugIn.h"
#include "host/ResourceStrings.h"
#include "params/LogService.h"
#include "platform/netdb/NetworkDatabase.h"
#include "platform/services/ObjectNameAnalyzer.h"
#include "workflows/WriteHistory.h"
#include "workflows/cConfiguration.h"

#include <QFileInfo>
#include <QJsonDocument>

namespace {

// A mistake in the command line.
struct UsageError
{
    QString message;
};

bool takeFlag(QStringList &args, const QString &flag)
{
    return args.removeAll(flag) > 0;
}

QString takeOption(QStringList &args, const QString &option)
{
    const qsizetype at = args.indexOf(option);
    if (at < 0)
        return QString();
    if (at + 1 >= args.size())
        throw UsageError{BatchTexts::error(BatchTexts::BadUsage, {option})};
    const QString value = args.at(at + 1);
    args.remove(at, 2);
    return value;
}

void requireCount(const QStringList &args, qsizetype min, qsizetype max)
{
    for (const QString &arg : args) {
        if (arg.startsWith(QLatin1String("--")))
            throw UsageError{BatchTexts::error(BatchTexts::BadUsage, {arg})};
    }
    if (args.size() < min || (max >= 0 && args.size() > max))
        throw UsageError{BatchTexts::error(BatchTexts::BadUsage, {args.join(QLatin1Char(' '))})};
}

bool isFile(const QString &operand)
{
    return operand.endsWith(QLatin1String(".dat"), Qt::CaseInsensitive) || QFileInfo(operand).isFile();
}

QJsonObject resultJson(const ApplyResult &result)
{
    QJsonObject device{{QStringLiteral("device"), result.device.objectName()},
                       {QStringLiteral("result"), BatchTexts::stateKey(result.state)}};
    if (!result.succeeded()) {
        device.insert(QStringLiteral("reason"), BatchTexts::reasonKey(result.reason));
        device.insert(QStringLiteral("detail"), result.detail);
    }
    return device;
}

} // namespace

Rx24CfgTool::Rx24CfgTool(QTextStream &out, QTextStream &err) : m_out(out), m_err(err) {}

Rx24CfgTool::~Rx24CfgTool() = default;

int Rx24CfgTool::run(QStringList arguments)
{
    try {
        m_json = takeFlag(arguments, QStringLiteral("--json"));
        m_databasePath = takeOption(arguments, QStringLiteral("--db"));
        const QString language = takeOption(arguments, QStringLiteral("--lang"));
        if (language == QLatin1String("de"))
            ResourceStrings::SetLanguageOffset(ResourceStrings::German);
        else if (language == QLatin1String("en"))
            ResourceStrings::SetLanguageOffset(ResourceStrings::English);
        else if (language.isEmpty())
            ResourceStrings::SetLanguageOffset(LcaPlugIn::ReadLanguage());
        else
            throw UsageError{BatchTexts::error(BatchTexts::BadUsage, {language})};
        if (arguments.isEmpty() || takeFlag(arguments, QStringLiteral("--help")) ||
            takeFlag(arguments, QStringLiteral("-h"))) {
            m_out << BatchTexts::help() << '\n';
            return Ok;
        }
        const QString command = arguments.takeFirst();
        return dispatch(command, arguments);
    } catch (const UsageError &error) {
        if (m_json)
            printJson({{QStringLiteral("error"), error.message}});
        m_err << "rx24cfg: " << error.message << '\n';
        return BadUsage;
    } catch (const BatchError &error) {
        if (m_json)
            printJson({{QStringLiteral("error"), error.text()}});
        m_err << "rx24cfg: " << error.text() << '\n';
        return BadUsage;
    }
}

int Rx24CfgTool::dispatch(const QString &command, QStringList args)
{
    static const QStringList known{QStringLiteral("export"),  QStringLiteral("apply"),
                                   QStringLiteral("diff"),    QStringLiteral("conformance"),
                                   QStringLiteral("history"), QStringLiteral("restore")};
    if (!known.contains(command))
        throw UsageError{BatchTexts::error(BatchTexts::BadUsage, {command})};
    // Whatever a command takes, the window's settings and the device models
    // see this session's database.
    m_session = std::make_unique<BatchSession>(m_databasePath);
    m_session->open();
    if (command == QLatin1String("export"))
        return exportSet(args);
    if (command == QLatin1String("apply"))
        return apply(args);
    if (command == QLatin1String("diff"))
        return diff(args);
    if (command == QLatin1String("conformance"))
        return conformance(args);
    if (command == QLatin1String("history"))
        return history(args);
    return restore(args);
}

BatchDevice Rx24CfgTool::oneDevice(const QString &name)
{
    QList<BatchDevice> found;
    m_session->forEachDevice(name, [&found](const BatchDevice &device) {
        found.append(device);
        return found.size() < 2;
    });
    if (found.size() > 1 || ObjectNameAnalyzer::analyze(name).deviceName.isEmpty())
        throw BatchError(BatchTexts::error(BatchTexts::NotOneDevice, {name}));
    if (found.isEmpty())
        throw BatchError(BatchTexts::error(BatchTexts::UnknownDevice, {name}));
    if (!m_session->serves(found.first().programId))
        throw BatchError(BatchTexts::error(BatchTexts::NotServed, {name, found.first().programId}));
    return found.first();
}

BatchDevice Rx24CfgTool::answeringDevice(const QString &name)
{
    // As the window, the tool reads only a device that answers.
    const BatchDevice device = oneDevice(name);
    if (!device.reachable)
        throw BatchError(BatchTexts::error(BatchTexts::NotAnswering, {device.objectName()}));
    return device;
}

// --- export ----------------------------------------------------------------------

int Rx24CfgTool::exportSet(const QStringList &args)
{
    requireCount(args, 2, 2);
    const BatchDevice device = answeringDevice(args.at(0));
    QString problem;
    const std::unique_ptr<cConfiguration> model = m_session->openModel(device, problem);
    if (!model)
        throw BatchError(problem);
    if (!model->SaveSetToFile(args.at(1)))
        throw BatchError(BatchTexts::error(BatchTexts::UnwritableFile, {args.at(1)}));
    if (m_json)
        printJson({{QStringLiteral("command"), QStringLiteral("export")},
                   {QStringLiteral("device"), device.objectName()},
                   {QStringLiteral("file"), args.at(1)}});
    return Ok;
}

// --- apply and its progress -------------------------------------------------------

void Rx24CfgTool::progress(int done, const QString &device, const QString &state)
{
    if (m_json)
        return;
    if (m_progressBar) {
        const QString line = QStringLiteral("\r[%1] %2").arg(done).arg(device.right(60));
        m_err << line.leftJustified(m_progressWidth);
        m_progressWidth = static_cast<int>(line.size());
    } else {
        m_err << '[' << done << "] " << device << ": " << state << '\n';
    }
    m_err.flush();
}

void Rx24CfgTool::finishProgress()
{
    if (m_progressBar && m_progressWidth > 0 && !m_json) {
        m_err << '\r' << QString(m_progressWidth, QLatin1Char(' ')) << '\r';
        m_err.flush();
    }
    m_progressWidth = 0;
}

void Rx24CfgTool::forEachTarget(const QStringList &targets,
                                const std::function<void(const BatchDevice &)> &visit,
                                const std::function<void(const QString &, const BatchError &)> &unknown)
{
    for (const QString &target : targets) {
        try {
            m_session->forEachDevice(target, [&](const BatchDevice &device) {
                // Ctrl+C comes in here: the device before was finished whole.
                if (m_betweenDevices)
                    m_betweenDevices();
                if (m_stopRequested)
                    return false;
                visit(device);
                return true;
            });
        } catch (const BatchError &error) {
            // A name that names nothing: the other targets go on.
            unknown(target, error);
        }
        if (m_stopRequested)
            break;
    }
}

bool Rx24CfgTool::applyTo(const QStringList &targets,
                          const std::function<ApplyResult(const BatchDevice &)> &applyOne,
                          const QJsonObject &members)
{
    DeviceReport report(m_out, m_json,
                        {BatchTexts::heading(BatchTexts::Device), BatchTexts::heading(BatchTexts::Result),
                         BatchTexts::heading(BatchTexts::Reason_)});
    int done = 0;
    int written = 0;
    int failed = 0;
    forEachTarget(
        targets,
        [&](const BatchDevice &device) {
            const ApplyResult result = applyOne(device);
            ++done;
            (result.succeeded() ? written : failed) += 1;
            progress(done, device.objectName(), BatchTexts::state(result.state));
            QJsonObject entry = resultJson(result);
            if (result.state == BatchTexts::WouldChange && m_json)
                entry.insert(QStringLiteral("changes"), rowsJson(result.before, result.after, false));
            finishProgress();
            report.add({device.objectName(), BatchTexts::state(result.state),
                        result.succeeded()
                            ? QString()
                            : (BatchTexts::reason(result.reason) +
                               (result.detail.isEmpty() ? QString() : QStringLiteral(": ") + result.detail))},
                       entry);
            // What would change, under the device's row.
            if (result.state == BatchTexts::WouldChange && !m_json)
                printRows(result.before, result.after, false, QStringLiteral("    "));
        },
        [&](const QString &target, const BatchError &error) {
            ++failed;
            finishProgress();
            report.add({target, BatchTexts::state(BatchTexts::NotWritten), error.text()},
                       QJsonObject{{QStringLiteral("device"), target},
                                   {QStringLiteral("result"), BatchTexts::stateKey(BatchTexts::NotWritten)},
                                   {QStringLiteral("reason"), QStringLiteral("unknown-device")},
                                   {QStringLiteral("detail"), error.text()}});
        });
    finishProgress();
    QJsonObject all = members;
    all.insert(QStringLiteral("stopped"), m_stopRequested);
    all.insert(QStringLiteral("succeeded"), written);
    all.insert(QStringLiteral("failed"), failed);
    report.finish(all);
    if (!m_json) {
        m_out << BatchTexts::line(
                     BatchTexts::ApplySummary,
                     {QString::number(written), QString::number(written + failed), QString::number(failed)})
              << '\n';
        if (m_stopRequested)
            m_out << BatchTexts::line(BatchTexts::StoppedAfter, {QString::number(done)}) << '\n';
    }
    return failed == 0 && !m_stopRequested;
}

int Rx24CfgTool::apply(QStringList args)
{
    const bool dryRun = takeFlag(args, QStringLiteral("--dry-run"));
    requireCount(args, 2, -1);
    const QString file = args.takeFirst();
    m_session->fileProgramId(file); // an unreadable file stops before any device
    SetApplier applier(*m_session);
    const bool all =
        applyTo(args, [&](const BatchDevice &device) { return applier.applyFile(device, file, dryRun); },
                {{QStringLiteral("command"), QStringLiteral("apply")},
                 {QStringLiteral("file"), file},
                 {QStringLiteral("dryRun"), dryRun}});
    return all ? Ok : NotAllWritten;
}

// --- diff ------------------------------------------------------------------------

ConfigurationSet Rx24CfgTool::setOf(const QString &operand, const QString &other)
{
    if (!isFile(operand)) {
        QString problem;
        const std::unique_ptr<cConfiguration> model = m_session->openModel(answeringDevice(operand), problem);
        if (!model)
            throw BatchError(problem);
        return model->ReadSet();
    }
    // A file is read with the other side's device when that is one.
    if (!isFile(other)) {
        const BatchDevice device = oneDevice(other);
        if (m_session->fits(m_session->fileProgramId(operand), device.programId)) {
            QString problem;
            const std::unique_ptr<cConfiguration> model = m_session->openModel(device, problem);
            if (model)
                return m_session->loadFile(operand, model.get());
        }
    }
    return m_session->loadFile(operand);
}

QJsonArray Rx24CfgTool::rowsJson(const ConfigurationSet &a, const ConfigurationSet &b, bool withNames) const
{
    QJsonArray rows;
    for (const SetDifferenceRow &row : SetDifference::between(a, b, withNames))
        rows.append(QJsonObject{{QStringLiteral("place"), row.place},
                                {QStringLiteral("item"), row.item},
                                {QStringLiteral("before"), row.before},
                                {QStringLiteral("after"), row.after},
                                {QStringLiteral("parameter"), row.parameter}});
    return rows;
}

void Rx24CfgTool::printRows(const ConfigurationSet &a, const ConfigurationSet &b, bool withNames,
                            const QString &indent)
{
    TextTable table({BatchTexts::heading(BatchTexts::Place), BatchTexts::heading(BatchTexts::Item),
                     BatchTexts::heading(BatchTexts::Before), BatchTexts::heading(BatchTexts::After)});
    for (const SetDifferenceRow &row : SetDifference::between(a, b, withNames))
        table.add({row.place, row.item, row.before, row.after});
    if (!table.isEmpty())
        table.print(m_out, indent);
}

int Rx24CfgTool::diff(QStringList args)
{
    const bool withNames = takeFlag(args, QStringLiteral("--names"));
    requireCount(args, 2, 2);
    const ConfigurationSet a = setOf(args.at(0), args.at(1));
    const ConfigurationSet b = setOf(args.at(1), args.at(0));
    const QJsonArray rows = rowsJson(a, b, withNames);
    if (m_json)
        printJson({{QStringLiteral("command"), QStringLiteral("diff")},
                   {QStringLiteral("a"), args.at(0)},
                   {QStringLiteral("b"), args.at(1)},
                   {QStringLiteral("equal"), rows.isEmpty()},
                   {QStringLiteral("differences"), rows}});
    else
        printRows(a, b, withNames, QString());
    return rows.isEmpty() ? Ok : Differs;
}

// --- conformance -----------------------------------------------------------------

int Rx24CfgTool::conformance(QStringList args)
{
    const QString reference = takeOption(args, QStringLiteral("--reference"));
    const bool fix = takeFlag(args, QStringLiteral("--fix"));
    if (reference.isEmpty())
        throw UsageError{BatchTexts::error(BatchTexts::BadUsage, {QStringLiteral("--reference")})};
    requireCount(args, 1, -1);
    ConformanceCheck check(*m_session, reference);
    SetApplier applier(*m_session);
    DeviceReport report(m_out, m_json,
                        {BatchTexts::heading(BatchTexts::Device), BatchTexts::heading(BatchTexts::Result)});
    int counts[BatchTexts::Failed + 1] = {};
    int notFixed = 0;
    int done = 0;
    forEachTarget(
        args,
        [&](const BatchDevice &device) {
            ConformanceResult result = check.check(device);
            QJsonObject entry{{QStringLiteral("device"), device.objectName()},
                              {QStringLiteral("state"), BatchTexts::stateKey(result.state)},
                              {QStringLiteral("differences"), result.differences}};
            QString shown = BatchTexts::state(result.state, {QString::number(result.differences)});
            if (!result.detail.isEmpty()) {
                entry.insert(QStringLiteral("detail"), result.detail);
                shown += QStringLiteral(": ") + result.detail;
            }
            if (fix && result.state == BatchTexts::Differs) {
                const ApplyResult fixed = applier.applyFile(device, reference, false);
                entry.insert(QStringLiteral("fix"), resultJson(fixed));
                shown += QStringLiteral(" → ") + BatchTexts::state(fixed.state);
                if (!fixed.succeeded()) {
                    ++notFixed;
                    shown += QStringLiteral(" (") + BatchTexts::reason(fixed.reason) + QLatin1Char(')');
                }
            }
            // A device --fix could not even compare was not made to conform either.
            if (fix && result.state != BatchTexts::Conforms && result.state != BatchTexts::Differs)
                ++notFixed;
            ++counts[result.state];
            ++done;
            progress(done, device.objectName(), shown);
            finishProgress();
            report.add({device.objectName(), shown}, entry);
        },
        [&](const QString &target, const BatchError &error) {
            ++counts[BatchTexts::Failed];
            ++notFixed;
            ++done;
            finishProgress();
            report.add({target, error.text()},
                       QJsonObject{{QStringLiteral("device"), target},
                                   {QStringLiteral("state"), QStringLiteral("unknown-device")},
                                   {QStringLiteral("differences"), 0},
                                   {QStringLiteral("detail"), error.text()}});
        });
    finishProgress();
    const QStringList numbers{QString::number(done), QString::number(counts[BatchTexts::Conforms]),
                              QString::number(counts[BatchTexts::Differs]),
                              QString::number(counts[BatchTexts::UnreachableState]),
                              QString::number(counts[BatchTexts::Incompatible] + counts[BatchTexts::Failed])};
    report.finish({{QStringLiteral("command"), QStringLiteral("conformance")},
                   {QStringLiteral("reference"), reference},
                   {QStringLiteral("fix"), fix},
                   {QStringLiteral("stopped"), m_stopRequested}});
    if (!m_json) {
        m_out << BatchTexts::line(BatchTexts::ConformanceSummary, numbers) << '\n';
        if (m_stopRequested)
            m_out << BatchTexts::line(BatchTexts::StoppedAfter, {QString::number(done)}) << '\n';
    }
    if (fix || m_stopRequested)
        return notFixed == 0 && !m_stopRequested ? Ok : NotAllWritten;
    return counts[BatchTexts::Conforms] == done ? Ok : Differs;
}

// --- history and restore ---------------------------------------------------------

int Rx24CfgTool::history(const QStringList &args)
{
    requireCount(args, 1, 1);
    const BatchDevice device = oneDevice(args.at(0));
    const QList<LnsHistoryEntry> entries = WriteHistory::entries(*m_session->enter(device));
    if (m_json) {
        QJsonArray list;
        for (const LnsHistoryEntry &entry : entries)
            list.append(QJsonObject{{QStringLiteral("number"), entry.number},
                                    {QStringLiteral("when"), entry.when.toString(Qt::ISODate)},
                                    {QStringLiteral("user"), entry.user},
                                    {QStringLiteral("host"), entry.host},
                                    {QStringLiteral("program"), entry.program},
                                    {QStringLiteral("summary"), entry.summary}});
        printJson({{QStringLiteral("command"), QStringLiteral("history")},
                   {QStringLiteral("device"), device.objectName()},
                   {QStringLiteral("entries"), list}});
        return Ok;
    }
    TextTable table({BatchTexts::heading(BatchTexts::Number), BatchTexts::heading(BatchTexts::When),
                     BatchTexts::heading(BatchTexts::Who), BatchTexts::heading(BatchTexts::Program),
                     BatchTexts::heading(BatchTexts::Summary)});
    for (const LnsHistoryEntry &entry : entries)
        table.add({QString::number(entry.number),
                   entry.when.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                   entry.user + QLatin1Char('@') + entry.host, entry.program, entry.summary});
    table.print(m_out);
    return Ok;
}

int Rx24CfgTool::restore(QStringList args)
{
    const QString to = takeOption(args, QStringLiteral("--to"));
    const bool dryRun = takeFlag(args, QStringLiteral("--dry-run"));
    requireCount(args, 1, 1);
    const BatchDevice device = oneDevice(args.at(0));
    const LnsRef<LnsAppDevice> handle = m_session->enter(device);
    int number = 0;
    if (to.isEmpty()) {
        const QList<LnsHistoryEntry> entries = handle->history();
        if (entries.isEmpty())
            throw BatchError(BatchTexts::line(BatchTexts::NothingToRestore, {device.objectName()}));
        number = entries.first().number;
    } else {
        bool ok = false;
        number = to.toInt(&ok);
        if (!ok || number < 1)
            throw UsageError{BatchTexts::error(BatchTexts::BadUsage, {to})};
    }
    ConfigurationSet set;
    if (!WriteHistory::setBefore(*handle, number, set))
        throw BatchError(
            BatchTexts::error(BatchTexts::NoHistoryEntry, {QString::number(number), device.objectName()}));
    SetApplier applier(*m_session);
    const ApplyResult result = applier.applySet(device, set, dryRun);
    if (m_json) {
        QJsonObject document = resultJson(result);
        document.insert(QStringLiteral("command"), QStringLiteral("restore"));
        document.insert(QStringLiteral("entry"), number);
        document.insert(QStringLiteral("dryRun"), dryRun);
        document.insert(QStringLiteral("changes"), rowsJson(result.before, result.after, true));
        printJson(document);
    } else {
        printRows(result.before, result.after, true, QString());
        m_out << device.objectName() << ": " << BatchTexts::state(result.state);
        if (!result.succeeded())
            m_out << " (" << BatchTexts::reason(result.reason) << ')';
        m_out << '\n';
        if (result.state == BatchTexts::Written)
            m_out << BatchTexts::line(BatchTexts::Restored, {QString::number(number)}) << '\n';
    }
    return result.succeeded() ? Ok : NotAllWritten;
}

void Rx24CfgTool::printJson(const QJsonObject &document)
{
    m_out << QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Indented));
    m_out.flush();
}
