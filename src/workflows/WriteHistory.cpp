#include "workflows/WriteHistory.h"

#include "host/LcaPlugIn.h"
#include "platform/lns/LnsError.h"
#include "platform/services/Clock.h"
#include "platform/services/RegistryUtility.h"

#include <QCoreApplication>
#include <QSysInfo>
#include <pwd.h>
#include <unistd.h>

namespace {

WriteHistory::Summariser &summariser()
{
    static WriteHistory::Summariser instance;
    return instance;
}

QString settingsKey()
{
    return LcaPlugIn::ProductKey() + QStringLiteral("\\Settings");
}
const QString DepthValue = QStringLiteral("HistoryDepth");

bool entrySets(const LnsAppDevice &device, int number, ConfigurationSet *before, ConfigurationSet *after)
{
    try {
        const LnsHistoryEntry entry = device.historyEntry(number);
        return (!before || ConfigurationSet::fromText(entry.before, *before)) &&
               (!after || ConfigurationSet::fromText(entry.after, *after));
    } catch (const LnsError &) {
        return false;
    }
}

} // namespace

void WriteHistory::setSummariser(Summariser summariser_)
{
    summariser() = std::move(summariser_);
}

QString WriteHistory::summary(const ConfigurationSet &before, const ConfigurationSet &after)
{
    if (summariser())
        return summariser()(before, after);
    const QStringList changes = before.differences(after);
    if (changes.isEmpty())
        return QString();
    return changes.size() == 1 ? changes.first()
                               : QStringLiteral("%1 (+%2)").arg(changes.first()).arg(changes.size() - 1);
}

int WriteHistory::depth()
{
    bool ok = false;
    const int stored =
        RegistryUtility::read(settingsKey(), DepthValue, QString::number(DefaultDepth)).toInt(&ok);
    return ok && stored >= 1 ? stored : DefaultDepth;
}

void WriteHistory::setDepth(int depth)
{
    RegistryUtility::write(settingsKey(), DepthValue, QString::number(depth));
}

QString WriteHistory::userName()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("LOGNAME");
    if (user.isEmpty()) {
        // Services and containers often run without either.
        if (const passwd *entry = getpwuid(getuid()))
            user = QString::fromLocal8Bit(entry->pw_name);
    }
    return user.isEmpty() ? QStringLiteral("?") : user;
}

QString WriteHistory::hostName()
{
    const QString host = QSysInfo::machineHostName();
    return host.isEmpty() ? QStringLiteral("?") : host;
}

int WriteHistory::record(LnsAppDevice &device, const ConfigurationSet &before, const ConfigurationSet &after)
{
    LnsHistoryEntry entry;
    entry.when = Clock::now().toUTC();
    entry.user = userName();
    entry.host = hostName();
    entry.program = QCoreApplication::applicationName();
    entry.before = before.toText();
    entry.after = after.toText();
    return device.recordHistory(entry, depth());
}

QList<LnsHistoryEntry> WriteHistory::entries(const LnsAppDevice &device)
{
    QList<LnsHistoryEntry> list = device.history();
    for (LnsHistoryEntry &entry : list) {
        ConfigurationSet before;
        ConfigurationSet after;
        if (entry.summary.isEmpty() && entrySets(device, entry.number, &before, &after))
            entry.summary = summary(before, after);
    }
    return list;
}

bool WriteHistory::setBefore(const LnsAppDevice &device, int number, ConfigurationSet &set)
{
    return entrySets(device, number, &set, nullptr);
}

bool WriteHistory::setAfter(const LnsAppDevice &device, int number, ConfigurationSet &set)
{
    return entrySets(device, number, nullptr, &set);
}
