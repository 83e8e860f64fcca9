#include "host/LcaPlugIn.h"

#include "host/AppVersion.h"
#include "host/HelpDisplay.h"
#include "host/LeadingNumber.h"
#include "host/MainWindowHost.h"
#include "host/PlugInGlobals.h"
#include "host/ProductPicture.h"
#include "host/ResourceStrings.h"
#include "host/ServerRegistration.h"
#include "platform/AppError.h"
#include "platform/netdb/NetworkDatabase.h"
#include "platform/services/LnsSessionHelper.h"
#include "platform/services/MessageBox.h"
#include "platform/services/PathUtility.h"
#include "platform/services/QX_Logger.h"
#include "platform/services/RegistryUtility.h"
#include "platform/services/StatusWindow.h"
#include "platform/services/UtilityComponent.h"

#include <QFileInfo>
#include <QFont>

namespace {
const QString Module = QStringLiteral("M_LcaPlugIn");

// Runs one step of EndApp; its failure is logged and does not stop the next.
template <class Step> void endStep(Step step)
{
    try {
        step();
    } catch (const std::exception &error) {
        PlugInGlobals::LogError(error, Module, QStringLiteral("EndApp"));
    } catch (...) {
        PlugInGlobals::LogError(AppError(0, Module, QStringLiteral("Unknown error")), Module,
                                QStringLiteral("EndApp"));
    }
}
} // namespace

QString LcaPlugIn::ProductKey()
{
    return QStringLiteral("SOFTWARE\\velto\\") + AppVersion::ProductName();
}

int LcaPlugIn::ReadLanguage()
{
    const qint16 offset = LeadingNumber::of16(
        RegistryUtility::read(LanguageKey(), QStringLiteral("Language"), QStringLiteral("0")));
    // Any other value selects no text table at all: every message would be empty.
    return offset == ResourceStrings::German ? offset : ResourceStrings::English;
}

void LcaPlugIn::WriteLanguage(int languageOffset)
{
    RegistryUtility::write(ProductKey() + QStringLiteral("\\Options"), QStringLiteral("Language"),
                           QString::number(languageOffset));
}

void LcaPlugIn::FillCommandTable()
{
    PlugInGlobals::Commands = {};
    PlugInCommand &configure = PlugInGlobals::Command(1);
    configure.Enabled = true;
    configure.CommandId = 13;
    configure.ClassId = 7;
    configure.ObjectType = 3;
    configure.Name = ResourceStrings::LoadResString(1800);
    configure.Description = ResourceStrings::LoadResString(1801);
}

void LcaPlugIn::InitApp()
{
    using namespace PlugInGlobals;
    TerminateRequested = false;
    Ended = false;
    try {
        Logger = std::make_unique<QX_Logger>();
        SessionHelper = std::make_unique<LnsSessionHelper>();
        Utility = std::make_unique<UtilityComponent>();
        delete Status.data();
        Status = new StatusWindow;

        QX_Logger::Config config;
        config.logFileName = LogFileName();
        // An installed program logs in the user's folder, never in the package's data folder.
        const bool installed = ProgramFolderOverride.isEmpty() && PathUtility::runsInstalled();
        config.logFolder = installed ? QString() : PlugInGlobals::ProgramFolder();
        config.majorVersion = AppVersion::Major;
        config.minorVersion = AppVersion::Minor;
        config.revision = AppVersion::Revision;
        // The language is read below; the log's texts start in English.
        config.resourceBase = 1000;
        config.productName = AppVersion::ProductName();
        config.fileOutput = true;
        config.windowOutput = true;
        Logger->configure(config);

        Trace(QStringLiteral("[M_LcaPlugIn] Public Sub InitApp()"));

        ManufacturerName = ResourceStrings::LoadResString(1802);
        VersionText = AppVersion::versionText();
        PlugInGlobals::ProductKey = LcaPlugIn::ProductKey();

        ResourceStrings::SetLanguageOffset(ReadLanguage());

        FillCommandTable();

        const QString iniFile = PlugInGlobals::ProgramFolder() + PlugInIniFileName();
        Utility->setIniFile(iniFile);
        if (!Utility->iniFileExists()) {
            MessageBox::show(ResourceStrings::LoadResString(1526) + QStringLiteral("\n\n") + iniFile,
                             AppVersion::ProductName(), MessageBox::Icon::Critical);
            TerminateRequested = true;
            EndApp();
            return;
        }

        // The manual of the language read above; each language has its own folder.
        HelpFilePath = HelpDisplay::ManualForLanguage(
            PlugInGlobals::ProgramFolder() + Utility->read(HelpSection(), QStringLiteral("HelpFilePath")),
            ResourceStrings::LanguageOffset());
        HelpAvailable = true;

        createObjectServer();

        Status->setWindowTitle(AppVersion::ProductName());
        Status->setPicture(ProductPicture::pixmap());
        QFont font(QStringLiteral("Tahoma"));
        font.setPointSize(9);
        Status->setFont(font);
    } catch (const std::exception &error) {
        LogError(error, Module, QStringLiteral("InitApp"));
    }
}

void LcaPlugIn::createObjectServer()
{
    using namespace PlugInGlobals;
    ObjectServer = nullptr;
    ObjectServerError.reset();
    OwnedObjectServer.reset();
    LnsObjectServer *server = ObjectServerOverride.data();
    if (!server) {
        OwnedObjectServer = std::make_unique<NetworkDatabase>(NetworkDatabase::defaultDatabasePath());
        server = OwnedObjectServer.get();
    }
    // The probe opens the local database once when nobody has yet, so that a
    // damaged file shows now and the connect step then reports the server as
    // unavailable. A database that does not exist is not probed: the connect
    // step refuses it and names the file, and an administrative start (UNREG,
    // REG) has no business with it.
    const auto *database = dynamic_cast<const NetworkDatabase *>(server);
    if (database && !server->isConnected() && !QFileInfo::exists(database->databasePath())) {
        ObjectServer = server;
        return;
    }
    try {
        if (server->isConnected()) {
            server->probe();
        } else {
            server->connectServer(0);
            server->probe();
            server->disconnectServer();
        }
        ObjectServer = server;
    } catch (const std::exception &error) {
        // Kept for the connect step, whose message cannot say why.
        const auto *appError = dynamic_cast<const AppError *>(&error);
        ObjectServerError = appError ? *appError : AppError(0, Module, QString::fromLocal8Bit(error.what()));
        try {
            if (server->isConnected())
                server->disconnectServer();
        } catch (const std::exception &) {
        }
        ObjectServer = nullptr;
    }
}

void LcaPlugIn::EndApp()
{
    using namespace PlugInGlobals;
    Trace(QStringLiteral("[M_LcaPlugIn] Public Sub EndApp()"));

    // Every end registers again, so that a moved program is found at its new place.
    endStep([] {
        if (!UnregisterRequested)
            ServerRegistration::Register();
    });
    endStep([] {
        if (SetMonitoring)
            SetMonitoring(false);
    });
    endStep([] {
        if (!StartedFromLnsObject) {
            if (SessionHelper)
                SessionHelper->close(Session);
            else
                LnsSessionHelper().close(Session);
        }
    });
    endStep([] {
        ObjectServer = nullptr;
        OwnedObjectServer.reset();
    });
    endStep([] {
        if (MainWindow && MainWindow->IsLoaded())
            MainWindow->Unload();
    });
    endStep([] {
        Session.clear();
        DeviceName.clear();
        ReleaseServices();
    });
    Ended = true;
}
