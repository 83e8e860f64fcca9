#include "LnsdbTool.h"

#include "director/DemoNetwork.h"
#include "director/DirectorClient.h"
#include "director/NetworkGenerator.h"
#include "director/RawValueText.h"
#include "platform/lns/LnsError.h"
#include "platform/netdb/DeviceInterfaceFile.h"
#include "platform/netdb/NetDbDeviceListing.h"
#include "platform/netdb/NetDbServerAddress.h"
#include "platform/netdb/NetworkDatabase.h"
#include "platform/services/ObjectNameAnalyzer.h"
#include "platform/services/SettingsLocation.h"

#include <QSet>

namespace {

// A mistake in the command line: reported in one line, exit code 2.
struct UsageError
{
    QString message;
};

// A command the tool declines before it acts: one line, exit code 1.
struct Refusal
{
    QString message;
};

struct CommandInfo
{
    const char *name;
    const char *arguments;
    const char *description;
};

// The one place that lists the commands: help text and argument checks agree.
const CommandInfo kCommands[] = {
    {"create", "",
     "create the database file, or the tables in an existing server database (nothing happens\n"
     "      when they exist); only create, demo, generate and copy-network create one"},
    {"create-network", "NETWORK [SYSTEM]", "create a network; its system is named SYSTEM (default: NETWORK)"},
    {"create-subsystem", "NETWORK SYSTEM.SUBSYSTEM[.SUB...]", "create a subsystem path"},
    {"add-device", "DEVICE XIF",
     "add a device from a device interface file (missing subsystems are created)"},
    {"remove-device", "DEVICE", "remove a device"},
    {"list-networks", "", "list the networks"},
    {"list-subsystems", "NETWORK", "list the subsystem paths of a network"},
    {"list-devices", "NETWORK", "list the devices of a network with program id and reachability"},
    {"list-objects", "DEVICE", "list a device's CPs and its LonMark objects with their NVs and CPs"},
    {"get-cp", "DEVICE OBJECT CP", "print a CP value as RAW bytes (decimal, blank separated)"},
    {"set-cp", "DEVICE OBJECT CP BYTES...",
     "set a CP value from decimal bytes (blanks, commas or tabs between)"},
    {"get-nv", "DEVICE OBJECT NV", "print an NV's type and value"},
    {"set-nv-value", "DEVICE OBJECT NV VALUE", "set an NV's value text"},
    {"set-nv-type", "DEVICE OBJECT NV TYPE", "change an NV's type (an SNVT index from its allowed types)"},
    {"set-reachable", "DEVICE yes|no", "mark a device reachable or unreachable"},
    {"list-plugins", "NETWORK", "list the plug-in commands registered in a network"},
    {"start-plugin", "DEVICE [--remote] [--ni NAME] [--object LMO]",
     "start the plug-in on a device as an LNS director does, over the session bus (the bus starts\n"
     "      the program when needed): set Remote and NetworkInterfaceName, with --object hand over\n"
     "      the device's LonMark object LMO (name, or #position) as LnsObjectByTool, then send\n"
     "      SendCommand(13, 7, DEVICE). With --server URI the plug-in opens that server: it sets\n"
     "      Remote, and refuses unless the settings' SOFTWARE/velto/LNS/Server names URI"},
    {"register-plugin", "NETWORK [PROGRAMID...]",
     "register the plug-in's commands in a network through the plug-in itself (command 50) for\n"
     "      the program ids given (all of its device templates when none); waits up to 30 s for\n"
     "      the plug-in's result, exit code 0 on success, 1 on failure"},
    {"generate", "--network NETWORK --devices N [--subsystems K] [--interface XIF]",
     "create a network of N devices for benchmarks and big projects, in one transaction: RX24\n"
     "      controllers (from XIF, default RX24.xif beside the program) in the demo's configured\n"
     "      states, every 50th unreachable, every 25th a sensor of another kind, spread over K\n"
     "      subsystems \"LNS System.Building b.Floor f\" (default: one per 50 devices)"},
    {"remove-network", "NETWORK", "remove a network with everything in it, in one transaction"},
    {"copy-network", "NETWORK [--from FILE|URI] --to FILE|URI [--as NEWNAME]",
     "copy a network with everything in it (subsystems, devices, values, registrations, write\n"
     "      history) into another database, a file or a server each, in one transaction: all of it\n"
     "      or nothing. --from defaults to the database of --db or --server; a missing target file\n"
     "      is created; a network of the name there already is refused"},
    {"demo", "",
     "create the demo network \"Demo\", or add what an interrupted run left out (nothing happens\n"
     "      when it is complete)"},
    {"names", "[PREFIX]",
     "list the object names that begin with PREFIX, \"/\" between the levels, one a line, for the\n"
     "      shell's completion; networks, systems and subsystems end in \"/\", devices do not"},
};

const CommandInfo *findCommand(const QString &name)
{
    for (const CommandInfo &info : kCommands) {
        if (name == QLatin1String(info.name))
            return &info;
    }
    return nullptr;
}

int argumentCount(const CommandInfo &info, bool optional)
{
    const QStringList words = QString::fromLatin1(info.arguments).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    int count = 0;
    for (const QString &word : words) {
        if (!optional && word.startsWith(QLatin1Char('[')))
            continue;
        ++count;
    }
    return count;
}

// The network, system part and device of an object name that names exactly
// a device; fewer or more levels are a mistake of the command line.
ObjectNameParts deviceParts(const QString &objectName)
{
    const ObjectNameParts parts = ObjectNameAnalyzer::analyze(objectName);
    if (parts.networkName.isEmpty() || parts.systemPart.isEmpty() || parts.deviceName.isEmpty())
        throw UsageError{QStringLiteral("\"%1\" does not name a device (network\\system.subsystem\\device)")
                             .arg(objectName)};
    if (!parts.remainder.isEmpty())
        throw UsageError{QStringLiteral("\"%1\" has levels behind the device \"%2\" (\"%3\"); a device is "
                                        "named network\\system.subsystem\\device")
                             .arg(objectName, parts.deviceName, parts.remainder)};
    return parts;
}

// A network is named by one level: "/" and "\\" separate levels.
const QString &networkArgument(const QString &name)
{
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        throw UsageError{
            QStringLiteral("\"%1\" is not a network name (it holds \"/\" or \"\\\\\")").arg(name)};
    return name;
}

// A database named on the command line: a server's URI must carry no
// password, which the shell's history and the process list would show.
QString locationArgument(const QString &option, const QString &location)
{
    if (location.trimmed().isEmpty())
        throw UsageError{QStringLiteral("%1 needs a file name or server URI, not an empty text").arg(option)};
    if (NetDbServerAddress::isServerAddress(location) &&
        !NetDbServerAddress::parse(location).password().isEmpty())
        throw UsageError{QStringLiteral("%1: a password does not belong on the command line; put it into "
                                        "~/.pgpass, a service file or PGPASSWORD")
                             .arg(option)};
    return location;
}

QString serverArgument(const QString &uri)
{
    if (!NetDbServerAddress::parse(uri).isValid())
        throw UsageError{QStringLiteral("--server needs a server URI (postgresql://USER@HOST:PORT/DATABASE), "
                                        "not \"%1\"")
                             .arg(NetDbServerAddress::withoutPassword(uri))};
    return locationArgument(QStringLiteral("--server"), uri);
}

// A server as both sides name it: without password, in Qt's spelling.
bool parseYesNo(const QString &text)
{
    const QString t = text.toLower();
    if (t == QLatin1String("yes") || t == QLatin1String("true") || t == QLatin1String("1"))
        return true;
    if (t == QLatin1String("no") || t == QLatin1String("false") || t == QLatin1String("0"))
        return false;
    throw UsageError{QStringLiteral("expected yes or no, got \"%1\"").arg(text)};
}

} // namespace

LnsdbTool::LnsdbTool(QTextStream &out, QTextStream &err)
    : m_out(out), m_err(err), m_databasePath(NetworkDatabase::defaultDatabasePath())
{
}

LnsdbTool::~LnsdbTool() = default;

QString LnsdbTool::helpText()
{
    QString text =
        QStringLiteral("Usage: lnsdb [--db FILE | --server URI] COMMAND [ARGUMENTS]\n"
                       "\n"
                       "Creates and inspects the network database that the tarvina RX24 plug-in\n"
                       "opens as its LNS object server: a file, or a team's project on a\n"
                       "PostgreSQL server.\n"
                       "\n"
                       "Options:\n"
                       "  --db FILE     the database file (default: the settings value\n"
                       "                SOFTWARE/velto/LNS/DatabasePath, else\n"
                       "                ~/.local/share/velto/lns/networks.lnsdb); a server URI too\n"
                       "  --server URI  the project database on a PostgreSQL server, as a libpq URI:\n"
                       "                postgresql://USER@HOST:PORT/DATABASE[?sslmode=verify-full]\n"
                       "                or postgresql://?service=NAME. The password comes from\n"
                       "                ~/.pgpass, the service file or PGPASSWORD, never from the\n"
                       "                command line\n"
                       "  -h, --help    this text\n"
                       "\n"
                       "DEVICE is an LNS object name: network/system.subsystem/device, with \"\\\" or\n"
                       "\"/\" between the levels, e.g. 'Demo\\LNS System.Floor 1\\RX24 Full'.\n"
                       "OBJECT is a LonMark object's position (1, 2, ...) or name, or \"device\" for the\n"
                       "device's own CPs and NVs.\n"
                       "\n"
                       "Commands:\n");
    for (const CommandInfo &info : kCommands) {
        const QString head =
            QStringLiteral("  %1 %2").arg(QLatin1String(info.name), QLatin1String(info.arguments)).trimmed();
        text += QStringLiteral("  %1\n      %2\n").arg(head.trimmed(), QLatin1String(info.description));
    }
    text +=
        QStringLiteral("\nstart-plugin and register-plugin need the D-Bus session bus and the plug-in's\n"
                       "service file there (\"tarvinaRX24 /regserver\" writes it).\n"
                       "\nExit codes: 0 done, 1 the database or the plug-in refused (one line says why),\n"
                       "2 bad arguments.\n");
    return text;
}

int LnsdbTool::run(QStringList arguments)
{
    try {
        while (!arguments.isEmpty() && arguments.first().startsWith(QLatin1Char('-'))) {
            const QString option = arguments.takeFirst();
            if (option == QLatin1String("-h") || option == QLatin1String("--help")) {
                m_out << helpText();
                return Ok;
            }
            const QString name = option.section(QLatin1Char('='), 0, 0);
            if (name == QLatin1String("--db") || name == QLatin1String("--server")) {
                if (!m_locationOption.isEmpty() && m_locationOption != name)
                    throw UsageError{QStringLiteral("give --db or --server, not both")};
                if (name == option && arguments.isEmpty())
                    throw UsageError{name == QLatin1String("--db") ? QStringLiteral("--db needs a file name")
                                                                   : QStringLiteral("--server needs a URI")};
                const QString value = name == option ? arguments.takeFirst() : option.mid(name.size() + 1);
                m_databasePath =
                    name == QLatin1String("--db") ? locationArgument(name, value) : serverArgument(value);
                m_locationOption = name;
                continue;
            }
            throw UsageError{QStringLiteral("unknown option %1").arg(option)};
        }
        if (arguments.isEmpty())
            throw UsageError{QStringLiteral("no command given (see lnsdb --help)")};
        const QString command = arguments.takeFirst();
        if (command == QLatin1String("help")) {
            m_out << helpText();
            return Ok;
        }
        const int rc = dispatch(command, arguments);
        m_out.flush();
        return rc;
    } catch (const UsageError &e) {
        m_err << "lnsdb: " << e.message << Qt::endl;
        return BadArguments;
    } catch (const Refusal &e) {
        m_err << "lnsdb: " << e.message << Qt::endl;
        return Failed;
    } catch (const AppError &e) {
        m_err << "lnsdb: " << e.description() << Qt::endl;
        return Failed;
    }
}

void LnsdbTool::requireCount(const QString &command, const QStringList &args, int min, int max) const
{
    if (args.size() < min || (max >= 0 && args.size() > max)) {
        const CommandInfo *info = findCommand(command);
        throw UsageError{QStringLiteral("usage: lnsdb %1 %2").arg(command, QLatin1String(info->arguments))};
    }
}

NetworkDatabase &LnsdbTool::database(NetworkDatabase::OpenMode mode)
{
    if (!m_db) {
        m_db = std::make_unique<NetworkDatabase>(m_databasePath, mode);
        m_db->connectServer(0);
    }
    return *m_db;
}

LnsRef<LnsAppDevice> LnsdbTool::device(const QString &objectName, NetworkDatabase::OpenMode mode)
{
    const ObjectNameParts parts = deviceParts(objectName);
    return database(mode).device(parts.networkName, parts.systemPart, parts.deviceName);
}

LnsRef<LnsLonMarkObject> LnsdbTool::object(const LnsRef<LnsAppDevice> &dev, const QString &which) const
{
    bool isIndex = false;
    const int index = which.toInt(&isIndex);
    return isIndex ? dev->lonMarkObjects()->item(index) : dev->lonMarkObjects()->item(which);
}

LnsRef<LnsConfigProperty> LnsdbTool::configProperty(const QString &objectName, const QString &which,
                                                    const QString &cpName, NetworkDatabase::OpenMode mode)
{
    const LnsRef<LnsAppDevice> dev = device(objectName, mode);
    if (which.compare(QLatin1String("device"), Qt::CaseInsensitive) == 0)
        return dev->configProperties()->item(cpName);
    return object(dev, which)->configProperties()->item(cpName);
}

LnsRef<LnsNetworkVariable> LnsdbTool::networkVariable(const QString &objectName, const QString &which,
                                                      const QString &nvName, NetworkDatabase::OpenMode mode)
{
    const LnsRef<LnsAppDevice> dev = device(objectName, mode);
    if (which.compare(QLatin1String("device"), Qt::CaseInsensitive) == 0)
        return dev->networkVariables()->item(nvName);
    return object(dev, which)->networkVariables()->item(nvName);
}

int LnsdbTool::dispatch(const QString &command, const QStringList &args)
{
    const CommandInfo *info = findCommand(command);
    if (!info)
        throw UsageError{QStringLiteral("unknown command \"%1\" (see lnsdb --help)").arg(command)};
    const bool openEnded = command == QLatin1String("set-cp") || command == QLatin1String("register-plugin");
    // start-plugin, generate and copy-network read their own options.
    if (command != QLatin1String("start-plugin") && command != QLatin1String("generate") &&
        command != QLatin1String("copy-network"))
        requireCount(command, args, argumentCount(*info, false), openEnded ? -1 : argumentCount(*info, true));

    using Mode = NetworkDatabase::OpenMode;
    if (command == QLatin1String("create")) {
        m_out << database(Mode::Create).shownLocation() << Qt::endl;
    } else if (command == QLatin1String("create-network")) {
        database(Mode::Existing).createNetwork(args.at(0), args.value(1));
    } else if (command == QLatin1String("create-subsystem")) {
        database(Mode::Existing).createSubsystem(networkArgument(args.at(0)), args.at(1));
    } else if (command == QLatin1String("add-device")) {
        const ObjectNameParts parts = deviceParts(args.at(0));
        const DeviceInterface xif = DeviceInterfaceFile::parse(args.at(1));
        database(Mode::Existing).addDevice(parts.networkName, parts.systemPart, parts.deviceName, xif);
    } else if (command == QLatin1String("remove-device")) {
        const ObjectNameParts parts = deviceParts(args.at(0));
        database(Mode::Existing).removeDevice(parts.networkName, parts.systemPart, parts.deviceName);
    } else if (command == QLatin1String("list-networks")) {
        for (const QString &name : database(Mode::ReadOnly).networkNames())
            m_out << name << '\n';
    } else if (command == QLatin1String("list-subsystems")) {
        for (const QString &path : database(Mode::ReadOnly).subsystemPaths(networkArgument(args.at(0))))
            m_out << path << '\n';
    } else if (command == QLatin1String("list-devices")) {
        networkArgument(args.at(0));
        NetworkDatabase &db = database(Mode::ReadOnly);
        for (const QString &path : db.subsystemPaths(args.at(0))) {
            for (const QString &name : db.deviceNames(args.at(0), path)) {
                const LnsRef<LnsAppDevice> dev = db.device(args.at(0), path, name);
                bool reachable = true;
                try {
                    dev->test(4);
                } catch (const LnsError &) {
                    reachable = false;
                }
                m_out << args.at(0) << '\\' << path << '\\' << name << "  program id " << dev->programId()
                      << (reachable ? "" : "  (unreachable)") << '\n';
            }
        }
    } else if (command == QLatin1String("list-objects")) {
        listObjects(device(args.at(0), Mode::ReadOnly));
    } else if (command == QLatin1String("get-cp")) {
        m_out << RawValueText::read(*configProperty(args.at(0), args.at(1), args.at(2), Mode::ReadOnly))
              << '\n';
    } else if (command == QLatin1String("set-cp")) {
        const QString bytes = args.mid(3).join(QLatin1Char(' '));
        QString rawText;
        if (!RawValueText::toRaw(bytes, &rawText))
            throw UsageError{QStringLiteral("\"%1\" is not a list of bytes 0 to 255").arg(bytes)};
        RawValueText::write(*configProperty(args.at(0), args.at(1), args.at(2), Mode::Existing), rawText);
    } else if (command == QLatin1String("get-nv")) {
        const LnsRef<LnsNetworkVariable> nv =
            networkVariable(args.at(0), args.at(1), args.at(2), Mode::ReadOnly);
        m_out << "type " << nv->typeId() << "  value " << nv->value() << '\n';
    } else if (command == QLatin1String("set-nv-value")) {
        networkVariable(args.at(0), args.at(1), args.at(2), Mode::Existing)->setValue(args.at(3));
    } else if (command == QLatin1String("set-nv-type")) {
        bool ok = false;
        const int type = args.at(3).toInt(&ok);
        if (!ok || type < 0)
            throw UsageError{QStringLiteral("\"%1\" is not an SNVT index").arg(args.at(3))};
        networkVariable(args.at(0), args.at(1), args.at(2), Mode::Existing)->changeType(type);
    } else if (command == QLatin1String("set-reachable")) {
        const bool reachable = parseYesNo(args.at(1));
        const ObjectNameParts parts = deviceParts(args.at(0));
        database(Mode::Existing)
            .setDeviceReachable(parts.networkName, parts.systemPart, parts.deviceName, reachable);
    } else if (command == QLatin1String("list-plugins")) {
        listPlugins(m_out, networkArgument(args.at(0)), {});
    } else if (command == QLatin1String("start-plugin")) {
        startPlugin(args);
    } else if (command == QLatin1String("register-plugin")) {
        return registerPlugin(networkArgument(args.at(0)), args.mid(1));
    } else if (command == QLatin1String("generate")) {
        generate(args);
    } else if (command == QLatin1String("remove-network")) {
        const int devices = database(Mode::Existing).removeNetwork(networkArgument(args.at(0)));
        m_out << "Removed network \"" << args.at(0) << "\" with " << devices << " devices." << Qt::endl;
    } else if (command == QLatin1String("copy-network")) {
        copyNetwork(args);
    } else if (command == QLatin1String("names")) {
        listNames(args.value(0));
    } else if (command == QLatin1String("demo")) {
        DemoNetwork demo(database(Mode::Create));
        const QStringList missing = demo.missingParts();
        if (missing.isEmpty()) {
            m_out << "The demo network \"" << DemoNetwork::networkName() << "\" exists already in "
                  << m_db->shownLocation() << Qt::endl;
        } else {
            const bool fresh = !database(Mode::Create).networkNames().contains(DemoNetwork::networkName());
            demo.create(DemoNetwork::defaultInterfaceFile());
            if (fresh)
                m_out << "Created the demo network \"" << DemoNetwork::networkName() << "\" in "
                      << m_db->shownLocation() << Qt::endl;
            else
                m_out << "Completed the demo network \"" << DemoNetwork::networkName() << "\" in "
                      << m_db->shownLocation() << " (added " << missing.join(QStringLiteral(", ")) << ")"
                      << Qt::endl;
        }
    }
    return Ok;
}

void LnsdbTool::listObjects(const LnsRef<LnsAppDevice> &dev)
{
    m_out << dev->name() << "  program id " << dev->programId() << '\n';
    const auto deviceCps = dev->configProperties();
    for (int c = 1; c <= deviceCps->count(); ++c) {
        const auto cp = deviceCps->item(c);
        m_out << "  CP " << cp->name() << " = " << RawValueText::read(*cp) << '\n';
    }
    const auto objects = dev->lonMarkObjects();
    for (int i = 1; i <= objects->count(); ++i) {
        const auto obj = objects->item(i);
        m_out << i << ' ' << obj->name() << "  profile " << obj->functionalProfileKey() << '\n';
        const auto nvs = obj->networkVariables();
        for (int n = 1; n <= nvs->count(); ++n) {
            const auto nv = nvs->item(n);
            m_out << "  NV " << nv->name() << "  type " << nv->typeId() << "  value " << nv->value() << '\n';
        }
        const auto cps = obj->configProperties();
        for (int c = 1; c <= cps->count(); ++c) {
            const auto cp = cps->item(c);
            m_out << "  CP " << cp->name() << " = " << RawValueText::read(*cp) << '\n';
        }
    }
}

void LnsdbTool::listNames(QString prefix)
{
    prefix.replace(QLatin1Char('\\'), QLatin1Char('/'));
    // A level is looked into only when the prefix reaches into it or stops
    // short of it, so a Tab in a big project reads one subsystem, not all.
    const auto touches = [&prefix](const QString &level) {
        return level.startsWith(prefix) || prefix.startsWith(level);
    };
    NetworkDatabase &db = database(NetworkDatabase::OpenMode::ReadOnly);
    QStringList names;
    QSet<QString> systems;
    for (const QString &networkName : db.networkNames()) {
        const QString networkLevel = networkName + QLatin1Char('/');
        if (!touches(networkLevel))
            continue;
        names.append(networkLevel);
        const LnsRef<LnsNetwork> network = db.openNetwork(networkName, false);
        const std::unique_ptr<NetDbDeviceListing> listing = NetDbDeviceListing::of(network);
        for (const NetDbDeviceListing::Subsystem &subsystem : listing->subsystems()) {
            // The system holds no devices of its own, but names them all.
            const QString system =
                networkLevel + subsystem.path.section(QLatin1Char('.'), 0, 0) + QLatin1Char('/');
            if (!systems.contains(system)) {
                systems.insert(system);
                names.append(system);
            }
            const QString level = networkLevel + subsystem.path + QLatin1Char('/');
            if (!touches(level))
                continue;
            names.append(level);
            for (const NetDbDeviceListing::Device &device : listing->devicesOf(subsystem.id))
                names.append(level + device.name);
        }
        db.closeNetwork(network);
    }
    names.removeIf([&prefix](const QString &name) { return !name.startsWith(prefix); });
    names.sort();
    for (const QString &name : std::as_const(names))
        m_out << name << '\n';
}

int LnsdbTool::listPlugins(QTextStream &out, const QString &networkName, const QStringList &programIds)
{
    NetworkDatabase &db = database(NetworkDatabase::OpenMode::ReadOnly);
    const LnsRef<LnsNetwork> network = db.openNetwork(networkName, false);
    const QList<LnsPluginRegistration> registrations = network->pluginRegistrations();
    int listed = 0;
    for (const LnsPluginRegistration &r : registrations) {
        if (!programIds.isEmpty() && !programIds.contains(r.programId, Qt::CaseInsensitive))
            continue;
        ++listed;
        out << r.programId << "  command " << r.commandId << "  class " << r.classId << "  " << r.projectName
            << '.' << r.className << "  \"" << r.name << "\"  version " << r.version << '\n';
    }
    db.closeNetwork(network);
    return listed;
}

void LnsdbTool::generate(const QStringList &args)
{
    NetworkGenerator::Options options;
    auto number = [](const QString &option, const QString &text) {
        bool ok = false;
        const int value = text.toInt(&ok);
        if (!ok || value < 1)
            throw UsageError{QStringLiteral("%1 needs a whole number from 1, not \"%2\"").arg(option, text)};
        return value;
    };
    for (int i = 0; i < args.size(); ++i) {
        const QString &option = args.at(i);
        const bool known = option == QLatin1String("--network") || option == QLatin1String("--devices") ||
                           option == QLatin1String("--subsystems") || option == QLatin1String("--interface");
        if (!known)
            throw UsageError{QStringLiteral("unexpected argument \"%1\" (see lnsdb --help)").arg(option)};
        if (i + 1 >= args.size())
            throw UsageError{QStringLiteral("%1 needs a value").arg(option)};
        const QString &value = args.at(++i);
        if (option == QLatin1String("--network"))
            options.network = networkArgument(value);
        else if (option == QLatin1String("--devices"))
            options.devices = number(option, value);
        else if (option == QLatin1String("--subsystems"))
            options.subsystems = number(option, value);
        else
            options.interfaceFile = value;
    }
    if (options.network.isEmpty() || options.devices == 0)
        throw UsageError{QStringLiteral("usage: lnsdb generate %1")
                             .arg(QLatin1String(findCommand(QStringLiteral("generate"))->arguments))};
    const NetworkGenerator::Summary done =
        NetworkGenerator(database(NetworkDatabase::OpenMode::Create)).generate(options);
    m_out << "Created network \"" << options.network << "\" in " << m_db->shownLocation() << ": " << done.rx24
          << " RX24 devices (" << done.unreachable << " unreachable) and " << done.otherKind
          << " of another kind in " << done.subsystems << " subsystems, in " << done.milliseconds << " ms."
          << Qt::endl;
}

void LnsdbTool::startPlugin(const QStringList &args)
{
    QString deviceName;
    bool remote = false;
    QString interfaceName;
    QString objectName;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == QLatin1String("--remote")) {
            remote = true;
        } else if (arg == QLatin1String("--ni") || arg == QLatin1String("--object")) {
            if (i + 1 >= args.size())
                throw UsageError{QStringLiteral("%1 needs a value").arg(arg)};
            (arg == QLatin1String("--ni") ? interfaceName : objectName) = args.at(++i);
        } else if (arg.startsWith(QLatin1Char('-')) || !deviceName.isEmpty()) {
            throw UsageError{QStringLiteral("unexpected argument \"%1\" (see lnsdb --help)").arg(arg)};
        } else {
            deviceName = arg;
        }
    }
    if (deviceName.isEmpty())
        throw UsageError{
            QStringLiteral("usage: lnsdb start-plugin DEVICE [--remote] [--ni NAME] [--object LMO]")};
    deviceParts(deviceName);
    if (NetDbServerAddress::isServerAddress(m_databasePath) && !m_locationOption.isEmpty()) {
        requireConfiguredServer();
        remote = true;
    }

    DirectorClient client = director();
    client.activate();
    client.setProperty(QStringLiteral("Remote"), remote);
    client.setProperty(QStringLiteral("NetworkInterfaceName"), interfaceName);
    if (!objectName.isEmpty())
        client.setProperty(QStringLiteral("LnsObjectByTool"), deviceName + QLatin1Char('\\') + objectName);
    client.sendCommand(DirectorClient::ConfigureCommand, DirectorClient::DeviceClass, deviceName);
    m_out << "Sent command " << DirectorClient::ConfigureCommand << " for '" << deviceName << "' to "
          << client.serviceName() << Qt::endl;
}

void LnsdbTool::requireConfiguredServer() const
{
    // The plug-in takes no URI over the bus: a remote connect opens the
    // server of its settings, so they must name the one meant here.
    const QString wanted = NetworkDatabase::shownLocation(m_databasePath);
    const QString configured = NetworkDatabase::configuredServer();
    if (configured.isEmpty() || NetworkDatabase::shownLocation(configured) != wanted)
        throw Refusal{QStringLiteral("the plug-in opens the server its settings name, %1; to start it on %2, "
                                     "set SOFTWARE/velto/LNS/Server = %2 in %3")
                          .arg(configured.isEmpty() ? QStringLiteral("here none")
                                                    : NetworkDatabase::shownLocation(configured),
                               wanted, SettingsLocation::filePath())};
}

void LnsdbTool::copyNetwork(const QStringList &args)
{
    QString name;
    QString from = m_databasePath;
    QString to;
    QString newName;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        const bool option =
            arg == QLatin1String("--from") || arg == QLatin1String("--to") || arg == QLatin1String("--as");
        if (!option && (arg.startsWith(QLatin1Char('-')) || !name.isEmpty()))
            throw UsageError{QStringLiteral("unexpected argument \"%1\" (see lnsdb --help)").arg(arg)};
        if (!option) {
            name = networkArgument(arg);
            continue;
        }
        if (i + 1 >= args.size())
            throw UsageError{QStringLiteral("%1 needs a value").arg(arg)};
        const QString &value = args.at(++i);
        if (arg == QLatin1String("--from"))
            from = locationArgument(arg, value);
        else if (arg == QLatin1String("--to"))
            to = locationArgument(arg, value);
        else
            newName = networkArgument(value);
    }
    if (name.isEmpty() || to.isEmpty())
        throw UsageError{QStringLiteral("usage: lnsdb copy-network %1")
                             .arg(QLatin1String(findCommand(QStringLiteral("copy-network"))->arguments))};
    NetworkDatabase source(from, NetworkDatabase::OpenMode::ReadOnly);
    source.connectServer(0);
    NetworkDatabase target(to, NetworkDatabase::OpenMode::Create);
    target.connectServer(0);
    const int devices = source.copyNetworkTo(name, target, newName);
    m_out << "Copied network \"" << name << "\""
          << (newName.isEmpty() ? QString() : QStringLiteral(" as \"%1\"").arg(newName)) << " (" << devices
          << " devices) from " << source.shownLocation() << " to " << target.shownLocation() << Qt::endl;
}

int LnsdbTool::registerPlugin(const QString &networkName, const QStringList &programIds)
{
    DirectorClient client = director();
    if (!client.registerPlugin(networkName, programIds)) {
        m_err << "lnsdb: the plug-in reported errors while registering in network \"" << networkName << "\"."
              << Qt::endl;
        return Failed;
    }
    // What the network holds now, not only what the plug-in answered.
    QString listing;
    QTextStream listingStream(&listing);
    int listed = 0;
    try {
        listed = listPlugins(listingStream, networkName, programIds);
    } catch (const AppError &e) {
        m_out << "The plug-in reports it registered in network \"" << networkName
              << "\"; its registrations cannot be read here: " << e.description() << Qt::endl;
        return Ok;
    }
    listingStream.flush();
    if (listed == 0) {
        m_err << "lnsdb: the plug-in reported success, but network \"" << networkName << "\" of "
              << m_db->shownLocation() << " holds no registration of it"
              << (programIds.isEmpty() ? QString()
                                       : QStringLiteral(" for ") + programIds.join(QStringLiteral(", ")))
              << " (does the plug-in use another database?)" << Qt::endl;
        return Failed;
    }
    m_out << "The plug-in was registered in network \"" << networkName << "\":\n" << listing << Qt::flush;
    return Ok;
}

void LnsdbTool::setBus(const QDBusConnection &bus, const QString &serviceName)
{
    m_bus = std::make_unique<QDBusConnection>(bus);
    m_serviceName = serviceName;
}

DirectorClient LnsdbTool::director() const
{
    DirectorClient client(m_bus ? *m_bus : DirectorClient::sessionBus());
    if (!m_serviceName.isEmpty())
        client.setServiceName(m_serviceName);
    return client;
}
