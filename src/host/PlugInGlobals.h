#pragma once

#include "host/PlugInCommand.h"
#include "platform/AppError.h"
#include "platform/lns/LnsObjectServer.h"
#include "platform/services/LnsSession.h"
#include "platform/services/LnsSessionHelper.h"
#include "platform/services/QX_Logger.h"
#include "platform/services/StatusWindow.h"
#include "platform/services/UtilityComponent.h"

#include <QPointer>
#include <QString>
#include <array>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

class MainWindowHost;
class HelpViewer;
class RegResultReceiver;

// The state the plug-in host shares with every other part of the program.
// InitApp fills it, the connection start adds the LNS references, EndApp
// releases it. One process serves one director command, so one set suffices.
namespace PlugInGlobals {

// Which command table entry was accepted (1 to 4); 100 for a standalone start.
inline qint32 CommandIndex = 0;
inline bool TerminateRequested = false;
// The command line held options not understood and so ran no command.
inline bool UsageError = false;
inline bool UnregisterRequested = false;
// The director handed a LonMark object instead of an object name.
inline bool StartedFromLnsObject = false;
// Remote access to the LNS server and the network interface used for it.
inline bool Remote = false;
inline QString NetworkInterfaceName;

// The last command received (command line or SendCommand).
inline qint32 CommandId = 0;
inline qint16 ClassId = 0;
inline QString ObjectName;

inline QString ProductKey;
inline QString VersionText;
inline QString ManufacturerName;
inline QString HelpFilePath;
inline bool HelpAvailable = false;

// Entries 1 to 4; use Command(i).
inline std::array<PlugInCommand, 4> Commands{};
PlugInCommand &Command(int index); // 1-based; throws for other indexes

// The object server; null when the probe at start failed. Owned here unless
// it was injected (tests, or a director's own server).
inline LnsObjectServer *ObjectServer = nullptr;
inline std::unique_ptr<LnsObjectServer> OwnedObjectServer;
// When set before InitApp, InitApp takes this server instead of opening the
// network database at its default place.
inline QPointer<LnsObjectServer> ObjectServerOverride;
// Why the probe of InitApp found no usable object server.
inline std::optional<AppError> ObjectServerError;

// The LNS references of the connection start.
inline LnsSession Session;
// The device part of the object name.
inline QString DeviceName;

// Set by the automation object before command 50.
inline QString ProgramIdsToRegister;
inline RegResultReceiver *RegResult = nullptr;

// Service components, created by InitApp.
inline std::unique_ptr<QX_Logger> Logger;
inline QPointer<StatusWindow> Status;
inline std::unique_ptr<UtilityComponent> Utility;
inline std::unique_ptr<LnsSessionHelper> SessionHelper;

// The main window, help window and monitoring switch are supplied by the
// layers above; each may be missing.
inline MainWindowHost *MainWindow = nullptr;
inline HelpViewer *Help = nullptr;
inline std::function<void(bool)> SetMonitoring;

// Folder of the program and its data files, with trailing separator; empty:
// the executable's folder.
inline QString ProgramFolderOverride;
QString ProgramFolder();

// Set once EndApp has run in this process.
inline bool Ended = false;

// Device name, else the subsystem's LNS name, else the product name.
QString WindowTitle();

// Trace and error entries of the log; quiet while there is no logger.
void Trace(const QString &text);
void LogError(const std::exception &error, const QString &moduleName, const QString &procedureName);
// A line for the log and for standard error: the cause behind a message box
// whose text cannot name it, for the user and for a script that started us.
void ReportCause(const QString &text);

// The status window's operations, harmless without a status window. Each
// text also goes to the log so that a failed start can be followed there.
void ShowStatus();
void HideStatus();
void ClearStatus();
void SetStatusText(const QString &text);

// Releases every service component and returns all globals to their start
// values. EndApp uses it for the components; tests use it between cases.
void ReleaseServices();
void Reset();

} // namespace PlugInGlobals
