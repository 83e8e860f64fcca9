#include "properties/DescriptionFileProperty.h"

#include "FuzzFailure.h"
#include "params/CpDefinitions.h"
#include "params/NvDefinitions.h"
#include "platform/AppError.h"
#include "platform/lns/LnsLonMarkObject.h"
#include "platform/netdb/DeviceInterfaceFile.h"
#include "platform/netdb/NetworkDatabase.h"
#include "platform/services/UtilityComponent.h"

#include <QFile>
#include <QTemporaryDir>
#include <functional>

namespace {
const QString ShippedProgramId = QStringLiteral("9000A5E018040100");
// Names the plug-in fetches by (a sample of each kind).
const QStringList CpNames = {QStringLiteral("FptIndex"), QStringLiteral("ModuleType"),
                             QStringLiteral("Scenes"), QStringLiteral("PushEvent1"),
                             QStringLiteral("DeviceModules")};
const QStringList NvNames = {QStringLiteral("PrimeValue"), QStringLiteral("Output"),
                             QStringLiteral("nviRequest"), QStringLiteral("nvoStatus")};
// Device entries beyond these add nothing but time.
constexpr int MaxCheckedEntries = 8;

struct Folder
{
    QTemporaryDir dir;
    QString path(const QString &name) const { return dir.filePath(name); }
};

const Folder &folder()
{
    static const Folder instance;
    return instance;
}

// An RX24 as lnsdb adds it from the shipped device interface file. Kept to
// the end of the process: Qt Sql's own statics go before a static database
// would be closed.
const LnsRef<LnsAppDevice> &device()
{
    static NetworkDatabase *const db = [] {
        auto *created = new NetworkDatabase(folder().path(QStringLiteral("fuzz.lnsdb")),
                                            NetworkDatabase::OpenMode::Create);
        created->connectServer(0);
        created->createNetwork(QStringLiteral("Fuzz"));
        created->addDevice(
            QStringLiteral("Fuzz"), QStringLiteral("Fuzz.Floor"), QStringLiteral("RX24"),
            DeviceInterfaceFile::parse(QStringLiteral(RX24_SOURCE_DIR "/resources/data/RX24.xif")));
        return created;
    }();
    static const LnsRef<LnsAppDevice> *const rx24 = new LnsRef<LnsAppDevice>(
        db->device(QStringLiteral("Fuzz"), QStringLiteral("Fuzz.Floor"), QStringLiteral("RX24")));
    return *rx24;
}

// One fetch, asked with a success flag and without: with it, it never
// raises and the flag says whether it handed out an object; without it, it
// raises AppError only.
template <class Object> void checkFetch(const std::function<bool(LnsRef<Object> &, bool *)> &fetch)
{
    LnsRef<Object> found;
    bool succeeded = false;
    const bool result = fetch(found, &succeeded);
    FUZZ_CHECK(result == succeeded);
    FUZZ_CHECK(succeeded == (found != nullptr));
    try {
        LnsRef<Object> again;
        const bool fetched = fetch(again, nullptr);
        FUZZ_CHECK(fetched == succeeded);
        FUZZ_CHECK(!fetched || again->name() == found->name());
    } catch (const AppError &) {
        FUZZ_CHECK(!succeeded);
    }
}

void checkFetches(const QX_IniFile &ini)
{
    const LnsRef<LnsAppDevice> &rx24 = device();
    const LnsRef<LnsLonMarkObject> channel = rx24->lonMarkObjects()->item(2);
    CpDefinitions::setIniFile(&ini);
    for (const QString &name : CpNames) {
        checkFetch<LnsConfigProperty>([&](LnsRef<LnsConfigProperty> &cp, bool *ok) {
            return CpDefinitions::FetchLmoCp(name, CpDefinitions::CpSection, ini, channel, cp, ok);
        });
        checkFetch<LnsConfigProperty>([&](LnsRef<LnsConfigProperty> &cp, bool *ok) {
            return CpDefinitions::FetchDevCpThroughDevice(name, CpDefinitions::CpSection, ini, rx24, cp, ok);
        });
        checkFetch<LnsConfigProperty>([&](LnsRef<LnsConfigProperty> &cp, bool *ok) {
            return CpDefinitions::FetchDevCp(name, CpDefinitions::CpSection, rx24, cp, ok);
        });
    }
    for (const QString &name : NvNames) {
        checkFetch<LnsNetworkVariable>([&](LnsRef<LnsNetworkVariable> &nv, bool *ok) {
            return NvDefinitions::FetchNv(name, CpDefinitions::NvSection, channel, nv, ok);
        });
        checkFetch<LnsNetworkVariable>([&](LnsRef<LnsNetworkVariable> &nv, bool *ok) {
            return NvDefinitions::FetchDevNv(name, CpDefinitions::NvSection, rx24, nv, ok);
        });
    }
    CpDefinitions::setIniFile(nullptr);
}

void checkEntries(const UtilityComponent &description)
{
    const QList<UtilityComponent::DeviceEntry> entries = description.deviceEntries();
    for (int i = 0; i < qMin<qsizetype>(entries.size(), MaxCheckedEntries); ++i) {
        const UtilityComponent::DeviceEntry &entry = entries.at(i);
        FUZZ_CHECK(!entry.isEmpty());
        FUZZ_CHECK(description.deviceEntry(i + 1).programId == entry.programId);
        const UtilityComponent::DeviceEntry found = description.entryForProgramId(entry.programId);
        FUZZ_CHECK(found.programId.compare(entry.programId, Qt::CaseInsensitive) == 0);
        for (const QString &id : description.compatibleProgramIds(entry.programId))
            FUZZ_CHECK(!id.isEmpty());
    }
    FUZZ_CHECK(description.deviceEntry(int(entries.size()) + 1).isEmpty());
}
} // namespace

void DescriptionFileProperty::check(QByteArrayView input)
{
    const QString path = folder().path(QStringLiteral("tarvinaRX24.ini"));
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(input.data(), input.size()) == input.size());
    file.close();

    const UtilityComponent description(path);
    const QString refusal = description.iniFile().problem();
    if (!refusal.isEmpty()) {
        FUZZ_CHECK(refusal.contains(path));
        FUZZ_CHECK(description.deviceEntries().isEmpty());
        FUZZ_CHECK(description.compatibleProgramIds(ShippedProgramId).isEmpty());
        FUZZ_CHECK(description.helpPath().isEmpty());
    }
    checkEntries(description);
    description.helpPath();
    checkFetches(description.iniFile());
}
