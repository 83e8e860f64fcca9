#include "template/cRX24.h"

#include "host/PlugInGlobals.h"
#include "platform/AppError.h"
#include "platform/services/PathUtility.h"
#include "template/LocalServerLookup.h"
#include "template/TemplateNumber.h"

#include <QDir>

namespace {

const QString &modulesSection()
{
    static const QString name = QStringLiteral("Modules");
    return name;
}

QString fptSection(qint32 fptKey)
{
    return QString::number(fptKey);
}

QString numbered(const char *prefix, int number)
{
    return QLatin1String(prefix) + QString::number(number);
}

[[noreturn]] void raiseEmptyList()
{
    throw AppError(9, QStringLiteral("cRX24"), QStringLiteral("Subscript out of range"));
}

template <typename List> auto firstOf(const List &list)
{
    if (list.isEmpty())
        raiseEmptyList();
    return list.first();
}

// Appends the items of from that result does not hold yet, in their order.
void appendNew(QList<int> &result, const QList<int> &from)
{
    for (int item : from) {
        if (!result.contains(item))
            result.append(item);
    }
}

} // namespace

cRX24::cRX24()
{
    const LocalServerLookup lookup;
    setTemplatePath(locateTemplateFile(lookup, PathUtility::programFolder()));
    PlugInGlobals::Trace(locationNote(lookup, templatePath()));
}

cRX24::cRX24(const QString &templatePath)
{
    setTemplatePath(templatePath);
}

QString cRX24::locateTemplateFile(const LocalServerLookup &lookup, const QString &ownFolder)
{
    return templatePathForServer(lookup.localServer(QStringLiteral("veltoProxy.Application")), ownFolder);
}

QString cRX24::locationNote(const LocalServerLookup &lookup, const QString &templatePath)
{
    const QString progId = QStringLiteral("veltoProxy.Application");
    const QString serviceFile = lookup.serviceFile(progId);
    QString note = QStringLiteral("Device template file: ") + templatePath;
    if (serviceFile.isEmpty())
        return note + QStringLiteral(" (no service file of %1 in %2)")
                          .arg(progId, lookup.servicesDirs().join(QStringLiteral(", ")));
    return note + QStringLiteral(" (%1 registered by %2)").arg(progId, serviceFile);
}

QString cRX24::templatePathForServer(const QString &localServer, const QString &ownFolder)
{
    const QString fileName = QStringLiteral("RX24.ini");
    const qsizetype slash = localServer.lastIndexOf(QLatin1Char('/'));
    const QString serverFile = localServer.mid(slash + 1);
    // The proxy run from its development environment registers vb6.exe; a
    // server without a folder gives no place either.
    if (localServer.isEmpty() || slash < 0 || serverFile.toLower() == QLatin1String("vb6.exe"))
        return QDir(ownFolder).filePath(fileName);
    return localServer.left(slash + 1) + fileName;
}

void cRX24::setTemplatePath(const QString &path)
{
    m_reader.setPath(path);
}

// ---- reading -----------------------------------------------------------

const QX_IniFile &cRX24::reader() const
{
    // Every module would silently have no channels; the caller's error
    // handling says why instead.
    const QString problem = m_reader.problem();
    if (!problem.isEmpty())
        throw AppError(75, QStringLiteral("cRX24"), problem);
    return m_reader;
}

QString cRX24::readText(const QString &section, const QString &key) const
{
    return reader().read(section, key, 1);
}

double cRX24::readNumber(const QString &section, const QString &key) const
{
    return TemplateNumber::leadingNumber(readText(section, key));
}

QStringList cRX24::readTextList(const QString &section, const QString &key) const
{
    const QX_IniFile &file = reader();
    QStringList items;
    for (int n = 1;; ++n) {
        const QString item = file.read(section, key, n);
        if (item.isEmpty())
            break;
        items.append(item);
    }
    return items;
}

QList<int> cRX24::readNvTypeList(const QString &section, const QString &key) const
{
    QList<int> types;
    for (const QString &item : readTextList(section, key))
        types.append(TemplateNumber::toInt16(TemplateNumber::leadingNumber(item)));
    return types;
}

QList<int> cRX24::readPriorityList(const QString &section, const QString &key) const
{
    QList<int> priorities;
    for (const QString &item : readTextList(section, key))
        priorities.append(TemplateNumber::toByte(TemplateNumber::leadingNumber(item)));
    return priorities;
}

QList<int> cRX24::secInputTypesUnion(qint32 fptKey) const
{
    QList<int> result;
    for (int p = 0; p < PriorityCount; ++p)
        appendNew(result, readNvTypeList(fptSection(fptKey), numbered("InputSecValueTypes_", p)));
    return result;
}

// ---- module types ------------------------------------------------------

quint8 cRX24::ChannelCountByModuleType(int moduleType) const
{
    return TemplateNumber::toByte(readNumber(modulesSection(), numbered("ChannelCount_", moduleType)));
}

quint8 cRX24::TerminalsPerChannelByModuleType(int moduleType) const
{
    return TemplateNumber::toByte(readNumber(modulesSection(), numbered("TerminalsPerChannel_", moduleType)));
}

bool cRX24::SupportsDimmingByModuleType(int moduleType) const
{
    return readNumber(modulesSection(), numbered("Dimming_", moduleType)) > 0.0;
}

QStringList cRX24::SupportedFptsByModuleType(int moduleType) const
{
    QStringList fpts = readTextList(modulesSection(), numbered("FPTs_", moduleType));
    if (m_extendedFptsEnabled)
        fpts.append(readTextList(modulesSection(), numbered("FPTsEx_", moduleType)));
    return fpts;
}

QString cRX24::DefaultFptByModuleType(int moduleType) const
{
    return firstOf(SupportedFptsByModuleType(moduleType));
}

QList<int> cRX24::SupportedModuleTypes() const
{
    static const int order[] = {8, 10, 9, 11, 5, 6, 17, 7, 1, 0, 14, 15, 2, 3, 4, 16, 18, 19, 20, 12, 13};
    QList<int> types;
    for (int moduleType : order) {
        if (TemplateNumber::ItemInCollection(SupportedFptsByModuleType(moduleType), double(m_fptIndex)))
            types.append(moduleType);
    }
    return types;
}

// ---- functions on channels ---------------------------------------------

quint8 cRX24::UsedTerminalsBySupportedFpt(const QString &supportedFpt) const
{
    return TemplateNumber::toByte(readNumber(QStringLiteral("FPTs"), supportedFpt));
}

quint8 cRX24::UsedChannelsByModuleTypeAndSupportedFpt(int moduleType, const QString &supportedFpt) const
{
    const quint8 used = UsedTerminalsBySupportedFpt(supportedFpt);
    const quint8 perChannel = TerminalsPerChannelByModuleType(moduleType);
    if (perChannel == 0)
        throw AppError(11, QStringLiteral("cRX24"), QStringLiteral("Division by zero"));
    return TemplateNumber::toByte(double(used) / double(perChannel) + 0.49);
}

bool cRX24::ModuleChannelSupportsFpt(int moduleType, int channel, const QString &supportedFpt) const
{
    const int needed = UsedChannelsByModuleTypeAndSupportedFpt(moduleType, supportedFpt);
    const int count = ChannelCountByModuleType(moduleType);
    if (channel > count)
        TemplateNumber::raiseOverflow();
    const int room = count - channel + 1;

    if (room < needed)
        return false;
    if (moduleType == NxModuleType || needed <= 1)
        return true;
    // A function of n channels starts only on channels 1, n + 1, 2n + 1, ...
    return channel % needed == 1;
}

// ---- prime input -------------------------------------------------------

qint16 cRX24::DefaultNvTypePrimeInput() const
{
    return DefaultNvTypePrimeInputByFptIndex(m_fptIndex);
}

qint16 cRX24::DefaultNvTypePrimeInputByFptIndex(qint32 fptKey) const
{
    return TemplateNumber::toInt16(
        readNumber(fptSection(fptKey), QStringLiteral("InputPrimeValueDefaultType")));
}

QList<int> cRX24::SupportedNvTypesPrimeInput() const
{
    return readNvTypeList(fptSection(m_fptIndex), QStringLiteral("InputPrimeValueTypes"));
}

bool cRX24::PrimeInputNvTypeSupportedByFptIndex(qint32 fptKey, int nvType) const
{
    return TemplateNumber::ItemInCollection(
        readNvTypeList(fptSection(fptKey), QStringLiteral("InputPrimeValueTypes")), nvType);
}

QList<int> cRX24::SupportedNvTypesPrimeInputByFptIndexAndOutputNvType(qint32 fptKey, int outType) const
{
    if (fptKey == SwitchFptKey)
        return readNvTypeList(fptSection(fptKey),
                              numbered("InputPrimeValueTypesByOutputValueType_", outType));
    return readNvTypeList(fptSection(fptKey), QStringLiteral("InputPrimeValueTypes"));
}

QList<int> cRX24::SupportedNvTypesPrimeInputByOutputNvType(int outType) const
{
    return SupportedNvTypesPrimeInputByFptIndexAndOutputNvType(m_fptIndex, outType);
}

qint16 cRX24::DefaultNvTypePrimeInputByOutputNvType(int outType) const
{
    return qint16(firstOf(SupportedNvTypesPrimeInputByOutputNvType(outType)));
}

bool cRX24::PrimeInputNvTypeSupportedByFptIndexAndOutputNvType(qint32 fptKey, int outType, int nvType) const
{
    return TemplateNumber::ItemInCollection(
        SupportedNvTypesPrimeInputByFptIndexAndOutputNvType(fptKey, outType), nvType);
}

bool cRX24::PrimeInputNvTypeSupportedByOutputNvType(int outType, int nvType) const
{
    return PrimeInputNvTypeSupportedByFptIndexAndOutputNvType(m_fptIndex, outType, nvType);
}

// ---- secondary input ---------------------------------------------------

qint16 cRX24::DefaultNvTypeSecInput() const
{
    return DefaultNvTypeSecInputByFptIndex(m_fptIndex);
}

qint16 cRX24::DefaultNvTypeSecInputByOutputNvTypeAll(int outType) const
{
    return qint16(firstOf(SupportedNvTypesSecInputByOutputNvTypeAll(outType)));
}

qint16 cRX24::DefaultNvTypeSecInputByFptIndex(qint32 fptKey) const
{
    return TemplateNumber::toInt16(
        readNumber(fptSection(fptKey), QStringLiteral("InputSecValueDefaultType")));
}

QList<int> cRX24::SupportedNvTypesSecInput(int priority) const
{
    return readNvTypeList(fptSection(m_fptIndex), numbered("InputSecValueTypes_", priority));
}

QList<int> cRX24::SupportedNvTypesSecInputAll() const
{
    return secInputTypesUnion(m_fptIndex);
}

QList<int> cRX24::SupportedPrioritiesSecInput() const
{
    return readPriorityList(fptSection(m_fptIndex), QStringLiteral("Priorities"));
}

QList<int> cRX24::SupportedPrioritiesSecInputByNvType(int secType) const
{
    QList<int> priorities;
    for (int p = 0; p < PriorityCount; ++p) {
        if (TemplateNumber::ItemInCollection(SupportedNvTypesSecInput(p), secType))
            priorities.append(p);
    }
    return priorities;
}

QList<int> cRX24::SupportedPrioritiesSecInputByNvTypes(int secType, int outType) const
{
    if (m_fptIndex != SwitchFptKey)
        return SupportedPrioritiesSecInputByNvType(secType);
    QList<int> priorities;
    for (int p = 0; p < PriorityCount; ++p) {
        if (TemplateNumber::ItemInCollection(SupportedNvTypesSecInputByOutputNvTypeAndPriority(outType, p),
                                             secType))
            priorities.append(p);
    }
    return priorities;
}

quint8 cRX24::DefaultSecInputPriorityByFptIndex(qint32 fptKey) const
{
    return TemplateNumber::toByte(readNumber(fptSection(fptKey), QStringLiteral("PriorityDefault")));
}

quint8 cRX24::DefaultSecInputPriorityByNvTypes(int secType, int outType) const
{
    return quint8(firstOf(SupportedPrioritiesSecInputByNvTypes(secType, outType)));
}

bool cRX24::SecInputNvTypePriorityCombiIsValid(int secType, int priority) const
{
    return TemplateNumber::ItemInCollection(SupportedPrioritiesSecInputByNvType(secType), priority);
}

bool cRX24::SecInputNvTypePriorityOutputNvTypeCombiIsValid(int secType, int priority, int outType) const
{
    return TemplateNumber::ItemInCollection(SupportedPrioritiesSecInputByNvTypes(secType, outType), priority);
}

bool cRX24::SecInputNvTypeSupportedByOutputNvType(int secType, int outType) const
{
    return TemplateNumber::ItemInCollection(SupportedNvTypesSecInputByOutputNvTypeAll(outType), secType);
}

bool cRX24::SecInputNvTypeSupported(int secType) const
{
    return TemplateNumber::ItemInCollection(SupportedNvTypesSecInputAll(), secType);
}

bool cRX24::SecInputNvTypeSupportedByFptIndex(qint32 fptKey, int nvType) const
{
    return TemplateNumber::ItemInCollection(secInputTypesUnion(fptKey), nvType);
}

QList<int> cRX24::SupportedNvTypesSecInputByFptIndexAndOutputNvTypeAndPriority(qint32 fptKey, int outType,
                                                                               int priority) const
{
    if (fptKey == SwitchFptKey)
        return readNvTypeList(fptSection(fptKey),
                              QStringLiteral("InputSecValueTypesByOutputValueTypeAndPriority_") +
                                  QString::number(outType) + QLatin1Char('_') + QString::number(priority));
    return readNvTypeList(fptSection(fptKey), numbered("InputSecValueTypes_", priority));
}

QList<int> cRX24::SupportedNvTypesSecInputByOutputNvTypeAndPriority(int outType, int priority) const
{
    return SupportedNvTypesSecInputByFptIndexAndOutputNvTypeAndPriority(m_fptIndex, outType, priority);
}

QList<int> cRX24::SupportedNvTypesSecInputByOutputNvTypeAll(int outType) const
{
    if (m_fptIndex != SwitchFptKey)
        return SupportedNvTypesSecInputAll();
    QList<int> result;
    for (int p = 0; p < PriorityCount; ++p)
        appendNew(result, SupportedNvTypesSecInputByOutputNvTypeAndPriority(outType, p));
    return result;
}

bool cRX24::SecInputNvTypeSupportedByFptIndexAndOutputNvTypeAndPriority(qint32 fptKey, int outType,
                                                                        int priority, int nvType) const
{
    return TemplateNumber::ItemInCollection(
        SupportedNvTypesSecInputByFptIndexAndOutputNvTypeAndPriority(fptKey, outType, priority), nvType);
}

// ---- output ------------------------------------------------------------

qint16 cRX24::DefaultNvTypeOutput() const
{
    return DefaultNvTypeOutputByFptIndex(m_fptIndex);
}

qint16 cRX24::DefaultNvTypeOutputByFptIndex(qint32 fptKey) const
{
    return TemplateNumber::toInt16(readNumber(fptSection(fptKey), QStringLiteral("OutputValueDefaultType")));
}

QList<int> cRX24::SupportedNvTypesOuput() const
{
    return readNvTypeList(fptSection(m_fptIndex), QStringLiteral("OutputValueTypes"));
}

bool cRX24::OutputNvTypeSupportedByFptIndex(qint32 fptKey, int nvType) const
{
    return TemplateNumber::ItemInCollection(
        readNvTypeList(fptSection(fptKey), QStringLiteral("OutputValueTypes")), nvType);
}

// ---- switch objects ----------------------------------------------------

QList<int> cRX24::SupportedNvTypesOutputBySwitchEvents(const QList<int> &events) const
{
    QList<int> result;
    const QString section = QStringLiteral("SwitchEvents");
    for (qsizetype i = 0; i < events.size(); ++i) {
        const QList<int> types =
            readNvTypeList(section, numbered("OutputNvTypesBySwitchEvent_", events.at(i)));
        if (i == 0) {
            result = types;
            continue;
        }
        result.removeIf([&types](int type) { return !TemplateNumber::ItemInCollection(types, type); });
    }
    return result;
}

bool cRX24::OutputNvTypeSupportedBySwitchEvents(const QList<int> &events, int nvType) const
{
    return TemplateNumber::ItemInCollection(SupportedNvTypesOutputBySwitchEvents(events), nvType);
}

qint16 cRX24::DefaultNvTypeOutputBySwitchEvents(const QList<int> &events) const
{
    return qint16(firstOf(SupportedNvTypesOutputBySwitchEvents(events)));
}

bool cRX24::NvTypesCombiIsValidBySwitchEvents(const QList<int> &events, int priority, int primeType,
                                              int secType, int outType) const
{
    return OutputNvTypeSupportedBySwitchEvents(events, outType) &&
           PrimeInputNvTypeSupportedByFptIndexAndOutputNvType(SwitchFptKey, outType, primeType) &&
           SecInputNvTypeSupportedByFptIndexAndOutputNvTypeAndPriority(SwitchFptKey, outType, priority,
                                                                       secType);
}
