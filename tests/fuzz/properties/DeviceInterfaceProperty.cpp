#include "properties/DeviceInterfaceProperty.h"

#include "FuzzFailure.h"
#include "platform/lns/LnsConfigProperty.h"
#include "platform/lns/LnsError.h"
#include "platform/lns/LnsLonMarkObject.h"
#include "platform/lns/LnsNetworkVariable.h"
#include "platform/netdb/CpValueText.h"
#include "platform/netdb/DeviceInterfaceFile.h"
#include "platform/netdb/NetworkDatabase.h"

#include <QRegularExpression>
#include <QTemporaryDir>

namespace {
const QString FileName = QStringLiteral("fuzz.xif");
const QString Network = QStringLiteral("Fuzz");
const QString Subsystem = QStringLiteral("Fuzz.Floor");
const QString Device = QStringLiteral("Device");
// A device this large takes seconds to store; the reader's part is checked
// without the database then.
constexpr qsizetype MaxStoredObjects = 64;
constexpr qsizetype MaxStoredBytes = 64 * 1024;

void checkRefusal(const LnsError &error, QByteArrayView input)
{
    FUZZ_CHECK(error.number() == LnsErrorCode::InvalidArgument);
    static const QRegularExpression where(QStringLiteral("^fuzz\\.xif:(\\d+): "));
    const QRegularExpressionMatch match = where.match(error.description());
    FUZZ_CHECK(match.hasMatch());
    const qsizetype line = match.captured(1).toLongLong();
    FUZZ_CHECK(line >= 1 && line <= input.count('\n') + 1);
}

void checkCp(const DeviceCpEntry &cp)
{
    FUZZ_CHECK(!cp.name.isEmpty());
    FUZZ_CHECK(cp.elementLength >= 1 && cp.dimension >= 1);
    FUZZ_CHECK(cp.bytes.size() == qsizetype(cp.elementLength) * cp.dimension);
    for (int byte : cp.bytes)
        FUZZ_CHECK(byte >= 0 && byte <= 255);
}

void checkShape(const DeviceInterface &device)
{
    static const QRegularExpression programId(QStringLiteral("^[0-9A-F]{16}$"));
    FUZZ_CHECK(programId.match(device.programId).hasMatch());
    for (const DeviceCpEntry &cp : device.deviceCps) {
        checkCp(cp);
        FUZZ_CHECK(cp.nvName.isEmpty());
    }
    for (const DeviceObjectEntry &object : device.objects) {
        QStringList nvNames;
        for (const DeviceNvEntry &nv : object.nvs) {
            FUZZ_CHECK(nv.allowedTypeIds.contains(nv.typeId));
            nvNames.append(nv.name);
        }
        // A CP of an NV must say which NV, so NV names are unique per object.
        FUZZ_CHECK(nvNames.removeDuplicates() == 0);
        for (const DeviceCpEntry &cp : object.cps) {
            checkCp(cp);
            FUZZ_CHECK(cp.nvName.isEmpty() || nvNames.contains(cp.nvName));
        }
    }
}

bool smallEnoughToStore(const DeviceInterface &device)
{
    qsizetype bytes = 0;
    for (const DeviceCpEntry &cp : device.deviceCps)
        bytes += cp.bytes.size();
    for (const DeviceObjectEntry &object : device.objects) {
        for (const DeviceCpEntry &cp : object.cps)
            bytes += cp.bytes.size();
    }
    return device.objects.size() <= MaxStoredObjects && bytes <= MaxStoredBytes;
}

// Kept to the end of the process: Qt Sql's own statics go before a static
// database would be closed.
NetworkDatabase &database()
{
    static QTemporaryDir folder;
    static NetworkDatabase *const db = [] {
        auto *created = new NetworkDatabase(folder.filePath(QStringLiteral("fuzz.lnsdb")),
                                            NetworkDatabase::OpenMode::Create);
        created->connectServer(0);
        created->createNetwork(Network);
        created->createSubsystem(Network, Subsystem);
        return created;
    }();
    return *db;
}

void checkStoredCps(const LnsCollectionRef<LnsConfigProperty> &stored, const QList<DeviceCpEntry> &cps)
{
    FUZZ_CHECK(stored->count() == cps.size());
    for (int i = 0; i < cps.size(); ++i) {
        const LnsRef<LnsConfigProperty> cp = stored->item(i + 1);
        FUZZ_CHECK(cp->name() == cps.at(i).name);
        FUZZ_CHECK(cp->elementLength() == cps.at(i).elementLength);
        FUZZ_CHECK(cp->dimension() == cps.at(i).dimension);
        FUZZ_CHECK(CpValueText::parse(cp->value(), cp->valueFormat(), int(cps.at(i).bytes.size())) ==
                   cps.at(i).bytes);
    }
}

QList<DeviceCpEntry> cpsOf(const DeviceObjectEntry &object, const QString &nvName)
{
    QList<DeviceCpEntry> cps;
    for (const DeviceCpEntry &cp : object.cps) {
        if (cp.nvName == nvName)
            cps.append(cp);
    }
    return cps;
}

void checkStoredObject(const LnsRef<LnsLonMarkObject> &stored, const DeviceObjectEntry &object)
{
    FUZZ_CHECK(stored->name() == object.name);
    FUZZ_CHECK(stored->functionalProfileKey() == object.profileKey);
    const LnsCollectionRef<LnsNetworkVariable> nvs = stored->networkVariables();
    FUZZ_CHECK(nvs->count() == object.nvs.size());
    for (int i = 0; i < object.nvs.size(); ++i) {
        const LnsRef<LnsNetworkVariable> nv = nvs->item(i + 1);
        const DeviceNvEntry &entry = object.nvs.at(i);
        FUZZ_CHECK(nv->name() == entry.name);
        FUZZ_CHECK(nv->typeId() == entry.typeId);
        FUZZ_CHECK(nv->allowedTypeIds() == entry.allowedTypeIds);
        FUZZ_CHECK(nv->value() == entry.value);
        checkStoredCps(nv->configProperties(), cpsOf(object, entry.name));
    }
    checkStoredCps(stored->configProperties(), cpsOf(object, QString()));
}

// What lnsdb add-device stores reads back as the file gave it, or nothing is stored.
void checkDatabaseRoundTrip(const DeviceInterface &device)
{
    NetworkDatabase &db = database();
    // An input that failed a check before may have left its device.
    if (!db.deviceNames(Network, Subsystem).isEmpty())
        db.removeDevice(Network, Subsystem, Device);
    try {
        db.addDevice(Network, Subsystem, Device, device);
    } catch (const LnsError &) {
        FUZZ_CHECK(db.deviceNames(Network, Subsystem).isEmpty());
        return;
    }
    const LnsRef<LnsAppDevice> stored = db.device(Network, Subsystem, Device);
    FUZZ_CHECK(stored->programId() == device.programId);
    checkStoredCps(stored->configProperties(), device.deviceCps);
    const LnsCollectionRef<LnsLonMarkObject> objects = stored->lonMarkObjects();
    FUZZ_CHECK(objects->count() == device.objects.size());
    for (int i = 0; i < device.objects.size(); ++i)
        checkStoredObject(objects->item(i + 1), device.objects.at(i));
    db.removeDevice(Network, Subsystem, Device);
}
} // namespace

void DeviceInterfaceProperty::check(QByteArrayView input)
{
    DeviceInterface device;
    try {
        device = DeviceInterfaceFile::parseBytes(input.toByteArray(), FileName);
    } catch (const LnsError &error) {
        checkRefusal(error, input);
        return;
    }
    checkShape(device);
    if (smallEnoughToStore(device))
        checkDatabaseRoundTrip(device);
}
