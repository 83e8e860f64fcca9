#include "project/ProjectActions.h"

#include "batch/BatchError.h"
#include "batch/BatchSession.h"
#include "batch/SetApplier.h"
#include "batch/SetDifference.h"
#include "director/DemoNetwork.h"
#include "director/DirectorClient.h"
#include "host/AppVersion.h"
#include "host/PlugInMain.h"
#include "host/ResourceStrings.h"
#include "platform/AppError.h"
#include "platform/netdb/NetDbServerAddress.h"
#include "platform/netdb/NetworkDatabase.h"
#include "platform/services/FileDialog.h"
#include "platform/services/MessageBox.h"
#include "project/ApplyFileFlow.h"
#include "project/CompareDialog.h"
#include "project/ConformanceFiller.h"
#include "project/ProjectTexts.h"
#include "project/ProjectWindow.h"
#include "ui/ParameterFolder.h"
#include "ui/RestoreDialog.h"
#include "workflows/WriteHistory.h"
#include "workflows/cConfiguration.h"

#include <QApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFileInfo>
#include <QProcess>

namespace {
QString parameterFileTitle(int item)
{
    return ResourceStrings::LoadResString(1600, item);
}

QString parameterFileFilter()
{
    return ResourceStrings::LoadResString(1601);
}

QString errorText(const std::exception &error)
{
    if (const auto *app = dynamic_cast<const AppError *>(&error))
        return app->description();
    return QString::fromUtf8(error.what());
}
} // namespace

ProjectActions::ProjectActions(ProjectWindow &window) : QObject(&window), m_window(window) {}

QString ProjectActions::directorObjectName(const QString &network, const QString &path, const QString &device)
{
    return network + QLatin1Char('\\') + path + QLatin1Char('\\') + device;
}

void ProjectActions::failed(const QString &why) const
{
    MessageBox::show(why, m_window.windowTitle(), MessageBox::Icon::Exclamation);
}

std::optional<BatchDevice> ProjectActions::oneDevice() const
{
    const QList<int> rows = m_window.selectedRows();
    if (rows.size() != 1) {
        failed(ProjectTexts::message(ProjectTexts::ChooseOneDevice));
        return std::nullopt;
    }
    return m_window.devices().device(rows.first()).device;
}

QString ProjectActions::otherDatabase() const
{
    const QString shown = m_window.session()->databasePath();
    const bool server = NetDbServerAddress::isServerAddress(shown);
    const QString pluginOpens =
        server ? NetworkDatabase::configuredServer() : NetworkDatabase::defaultDatabasePath();
    const auto same = [server](const QString &a, const QString &b) {
        return server ? NetworkDatabase::shownLocation(a) == NetworkDatabase::shownLocation(b)
                      : QFileInfo(a).canonicalFilePath() == QFileInfo(b).canonicalFilePath();
    };
    if (!pluginOpens.isEmpty() && same(shown, pluginOpens))
        return QString();
    return ProjectTexts::message(
        ProjectTexts::OtherServer,
        {NetworkDatabase::shownLocation(shown),
         pluginOpens.isEmpty() ? QStringLiteral("—") : NetworkDatabase::shownLocation(pluginOpens)});
}

QString ProjectActions::chooseParameterFile()
{
    const QString file =
        FileDialog::getOpenFileName(parameterFileTitle(1), parameterFileFilter(), ParameterFolder::Last());
    if (!file.isEmpty())
        ParameterFolder::Remember(file);
    return file;
}

QString ProjectActions::chooseSetFile()
{
    const QString file = chooseParameterFile();
    if (file.isEmpty())
        return file;
    try {
        m_window.session()->fileProgramId(file);
    } catch (const BatchError &error) {
        failed(error.text());
        return QString();
    }
    return file;
}

std::unique_ptr<cConfiguration> ProjectActions::openModel(const BatchDevice &device) const
{
    QString problem;
    std::unique_ptr<cConfiguration> model = m_window.session()->openModel(device, problem);
    if (!model)
        failed(problem);
    return model;
}

void ProjectActions::makePlugInKnown() const
{
    // Right after the package is installed the plug-in has never run, so the
    // session bus does not know it yet: its self-registration, which every
    // start of it does, makes it known.
    const QDBusConnection bus = m_window.directorBus();
    QDBusConnectionInterface *daemon = bus.interface();
    const QString service = DirectorClient::ApplicationInterface();
    if (!daemon || daemon->isServiceRegistered(service).value() ||
        daemon->activatableServiceNames().value().contains(service))
        return;
    QProcess registration;
    registration.start(ProjectWindow::plugInProgram(), {PlugInMain::RegServerArgument()});
    if (!registration.waitForFinished(30000))
        registration.kill();
    // The bus reads its service folders again.
    bus.call(QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ReloadConfig")));
}

void ProjectActions::openConfiguration()
{
    const std::optional<BatchDevice> chosen = oneDevice();
    if (!chosen)
        return;
    const BatchDevice device = *chosen;
    const QString objectName = directorObjectName(device.network, device.subsystemPath, device.name);
    if (const QString other = otherDatabase(); !other.isEmpty()) {
        failed(other);
        return;
    }
    try {
        makePlugInKnown();
        DirectorClient client(m_window.directorBus());
        client.activate();
        // A project on the server: the plug-in opens the server of its
        // settings, over TLS only ("Internet") when the project is reached so.
        const QString location = m_window.session()->databasePath();
        const bool remote = NetDbServerAddress::isServerAddress(location);
        client.setProperty(QStringLiteral("Remote"), remote);
        client.setProperty(QStringLiteral("NetworkInterfaceName"),
                           remote && NetDbServerAddress::parse(location).requiresTls()
                               ? QStringLiteral("Internet")
                               : QString());
        client.sendCommand(DirectorClient::ConfigureCommand, DirectorClient::DeviceClass, objectName);
    } catch (const std::exception &error) {
        failed(ProjectTexts::message(ProjectTexts::StartFailed, {objectName, errorText(error)}));
    }
}

void ProjectActions::applyFile()
{
    const QList<BatchDevice> devices = m_window.selectedDevices();
    if (devices.isEmpty() || m_apply)
        return;
    const QString file = chooseSetFile();
    if (file.isEmpty())
        return;
    m_apply = new ApplyFileFlow(*m_window.session(), devices, file, &m_window);
    connect(m_apply, &ApplyFileFlow::finished, this, [this, devices] {
        m_window.refreshDevices(devices);
        m_apply->deleteLater();
    });
    m_apply->start();
}

void ProjectActions::exportSet()
{
    const std::optional<BatchDevice> chosen = oneDevice();
    if (!chosen)
        return;
    const BatchDevice device = *chosen;
    const QString file =
        FileDialog::getSaveFileName(parameterFileTitle(2), parameterFileFilter(), ParameterFolder::Last());
    if (file.isEmpty())
        return;
    ParameterFolder::Remember(file);
    const std::unique_ptr<cConfiguration> model = openModel(device);
    if (!model)
        return;
    if (!model->SaveSetToFile(file)) {
        failed(BatchTexts::error(BatchTexts::UnwritableFile, {file}));
        return;
    }
    MessageBox::show(ProjectTexts::message(ProjectTexts::Exported, {device.name, file}),
                     m_window.windowTitle(), MessageBox::Icon::Information);
}

void ProjectActions::compare()
{
    const QList<BatchDevice> devices = m_window.selectedDevices();
    if (devices.isEmpty() || devices.size() > 2) {
        failed(ProjectTexts::message(ProjectTexts::ChooseCompared));
        return;
    }
    BatchSession &session = *m_window.session();
    const std::unique_ptr<cConfiguration> first = openModel(devices.first());
    if (!first)
        return;
    const ConfigurationSet a = first->ReadSet();
    ConfigurationSet b;
    QString other;
    if (devices.size() == 2) {
        const std::unique_ptr<cConfiguration> second = openModel(devices.last());
        if (!second)
            return;
        b = second->ReadSet();
        other = devices.last().name;
    } else {
        const QString file = chooseParameterFile();
        if (file.isEmpty())
            return;
        try {
            // The file read with the device's model, as a Load in its window would.
            const bool fits = session.fits(session.fileProgramId(file), devices.first().programId);
            b = session.loadFile(file, fits ? first.get() : nullptr);
        } catch (const BatchError &error) {
            failed(error.text());
            return;
        }
        other = QFileInfo(file).fileName();
    }
    auto *dialog = new CompareDialog(devices.first().name, other, SetDifference::between(a, b), &m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void ProjectActions::history()
{
    const std::optional<BatchDevice> chosen = oneDevice();
    if (!chosen)
        return;
    const BatchDevice device = *chosen;
    const std::unique_ptr<cConfiguration> model = openModel(device);
    if (!model)
        return;
    const LnsRef<LnsAppDevice> handle = m_window.session()->enter(device);
    QList<LnsHistoryEntry> entries;
    try {
        entries = WriteHistory::entries(*handle);
    } catch (const std::exception &error) {
        failed(errorText(error));
        return;
    }
    if (entries.isEmpty()) {
        MessageBox::show(ProjectTexts::message(ProjectTexts::HistoryEmpty, {device.name}),
                         m_window.windowTitle(), MessageBox::Icon::Information);
        return;
    }
    const auto readSet = [handle](int number, ConfigurationSet &set) {
        return WriteHistory::setBefore(*handle, number, set);
    };
    auto *dialog = new RestoreDialog(device.name, entries, readSet, model->ReadSet(), &m_window);
    dialog->setWindowTitle(ProjectTexts::caption(ProjectTexts::HistoryTitle, {device.name}));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog, device] {
        if (dialog->chosenNumber() == 0)
            return;
        SetApplier applier(*m_window.session());
        const ApplyResult result = applier.applySet(device, dialog->chosenSet(), false);
        if (result.succeeded())
            MessageBox::show(ProjectTexts::message(ProjectTexts::RestoreWritten,
                                                   {QString::number(dialog->chosenNumber()), device.name}),
                             m_window.windowTitle(), MessageBox::Icon::Information);
        else
            failed(ProjectTexts::message(
                ProjectTexts::RestoreNotWritten,
                {device.name,
                 BatchTexts::reason(result.reason) +
                     (result.detail.isEmpty() ? QString() : QStringLiteral(": ") + result.detail)}));
        m_window.refreshDevices({device});
    });
    dialog->open();
}

void ProjectActions::registerPlugIn()
{
    const QString network = m_window.network();
    if (network.isEmpty()) {
        failed(ProjectTexts::message(ProjectTexts::ChooseNetwork));
        return;
    }
    if (const QString other = otherDatabase(); !other.isEmpty()) {
        failed(other);
        return;
    }
    try {
        makePlugInKnown();
        DirectorClient client(m_window.directorBus());
        client.activate();
        if (client.registerPlugin(network, {}))
            MessageBox::show(ProjectTexts::message(ProjectTexts::Registered, {network}),
                             m_window.windowTitle(), MessageBox::Icon::Information);
        else
            failed(ProjectTexts::message(ProjectTexts::NotRegistered, {network, QString()}));
    } catch (const std::exception &error) {
        failed(ProjectTexts::message(ProjectTexts::NotRegistered, {network, errorText(error)}));
    }
}

void ProjectActions::chooseReference()
{
    const QString file = chooseSetFile();
    if (file.isEmpty())
        return;
    m_window.conformance().start(file);
}

void ProjectActions::createDemo()
{
    BatchSession *session = m_window.session();
    if (!session)
        return;
    try {
        DemoNetwork(session->database()).create(DemoNetwork::defaultInterfaceFile());
    } catch (const std::exception &error) {
        failed(ProjectTexts::message(ProjectTexts::DemoFailed, {errorText(error)}));
    }
    m_window.reload();
    m_window.showNetwork(DemoNetwork::networkName());
}

void ProjectActions::reload()
{
    m_window.reload();
}

void ProjectActions::quit()
{
    m_window.close();
}

void ProjectActions::about()
{
    MessageBox::show(ProjectTexts::caption(ProjectTexts::WindowTitle) + QLatin1Char('\n') +
                         AppVersion::fullVersionText(),
                     m_window.windowTitle(), MessageBox::Icon::Information);
}
