#include "ui/frmMain.h"

#include "host/AppVersion.h"
#include "host/HelpDisplay.h"
#include "host/LcaPlugIn.h"
#include "host/PlugInGlobals.h"
#include "host/ResourceStrings.h"
#include "model/M_SwitchObject.h"
#include "model/cActModule.h"
#include "model/cActModules.h"
#include "model/cLmo.h"
#include "params/LogService.h"
#include "params/cParamComboBox.h"
#include "platform/services/MessageBox.h"
#include "platform/services/RegistryUtility.h"
#include "template/ParamEnums.h"
#include "ui/AboutDialog.h"
#include "ui/DevicePage.h"
#include "ui/LoggerPage.h"
#include "ui/MainMenu.h"
#include "ui/ModulePage.h"
#include "ui/ObjectsPage.h"
#include "ui/ParameterFileCommands.h"
#include "workflows/cConfiguration.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
const QString Module = QStringLiteral("frmMain");
constexpr int F1 = Qt::Key_F1;

QString tabKey(int keyNo)
{
    return QStringLiteral("KEY:%1").arg(keyNo);
}
} // namespace

frmMain::frmMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    m_menu = new MainMenu(menuBar());
    connect(m_menu, &MainMenu::ToolClicked, this, &frmMain::ExecuteMenuCommand);

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    auto *configuration = new QPushButton(ResourceStrings::LoadResString(1001), central);
    configuration->setObjectName(QStringLiteral("btnConfiguration"));
    configuration->setCheckable(true);
    configuration->setChecked(true);
    configuration->setToolTip(ResourceStrings::LoadResString(1029));
    connect(configuration, &QPushButton::clicked, this, [this, configuration] {
        configuration->setChecked(true);
        ShowPage(m_tabs->tabBar()
                     ->tabData(m_tabs->currentIndex())
                     .toString()
                     .section(QLatin1Char(':'), 1)
                     .toInt());
        if (PlugInGlobals::SetMonitoring)
            PlugInGlobals::SetMonitoring(false);
    });
    layout->addWidget(configuration, 0, Qt::AlignLeft);

    m_tabs = new QTabWidget(central);
    m_tabs->setObjectName(QStringLiteral("tabStrip"));
    layout->addWidget(m_tabs, 1);
    buildPages();
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (index >= 0)
            m_currentPageNo =
                m_tabs->tabBar()->tabData(index).toString().section(QLatin1Char(':'), 1).toInt();
    });

    auto *line = new QHBoxLayout;
    m_status = new QLabel(central);
    m_status->setObjectName(QStringLiteral("lblStatus"));
    line->addWidget(m_status, 1);
    m_ok = new QPushButton(ResourceStrings::LoadResString(1374, 1), central);
    m_ok->setObjectName(QStringLiteral("btnOK"));
    m_cancel = new QPushButton(ResourceStrings::LoadResString(1374, 2), central);
    m_cancel->setObjectName(QStringLiteral("btnCancel"));
    m_apply = new QPushButton(ResourceStrings::LoadResString(1374, 3), central);
    m_apply->setObjectName(QStringLiteral("btnApply"));
    m_apply->setEnabled(false);
    for (QPushButton *button : {m_ok, m_cancel, m_apply})
        line->addWidget(button);
    layout->addLayout(line);
    setCentralWidget(central);
    connect(m_ok, &QPushButton::clicked, this, &frmMain::onOk);
    connect(m_cancel, &QPushButton::clicked, this, &frmMain::close);
    connect(m_apply, &QPushButton::clicked, this, &frmMain::onApply);

    LogService &log = LogService::instance();
    connect(&log, &LogService::statusTextChanged, m_status, &QLabel::setText);
    connect(&log, &LogService::applyEnabledChanged, m_apply, &QPushButton::setEnabled);
    connect(&log, &LogService::showLoggerRequested, this, [this] { ShowPage(LoggerKey); });
    MessageBox::setParentWindow(this);
}

frmMain::~frmMain()
{
    MessageBox::setParentWindow(nullptr);
    m_configuration.reset();
}

void frmMain::buildPages()
{
    m_device = new DevicePage(m_tabs);
    m_tabs->addTab(m_device, ResourceStrings::LoadResString(1010));
    m_tabs->tabBar()->setTabData(0, tabKey(DeviceKey));
    m_objects = new ObjectsPage(m_tabs);
    m_tabs->addTab(m_objects, ResourceStrings::LoadResString(1011));
    m_tabs->tabBar()->setTabData(1, tabKey(ObjectsKey));
    // Module tab n is captioned for slot n, also when others are hidden.
    for (int slot = 1; slot <= 8; ++slot) {
        auto *page = new ModulePage(slot, m_tabs);
        m_modules.at(static_cast<size_t>(slot - 1)) = page;
        const int index =
            m_tabs->addTab(page, ResourceStrings::LoadResString(1031, 1, QStringList{QString::number(slot)}));
        m_tabs->tabBar()->setTabData(index, tabKey(FirstModuleKey + slot - 1));
    }
    m_logger = new LoggerPage(m_tabs);
    const int index = m_tabs->addTab(m_logger, ResourceStrings::LoadResString(1015));
    m_tabs->tabBar()->setTabData(index, tabKey(LoggerKey));
    connect(m_objects, &ObjectsPage::NameEdited, this, [this](int n, const QString &name) {
        if (!m_configuration)
            return;
        if (cLmo *lmo = m_configuration->Lmos().Find(n)) {
            lmo->setName(name);
            ValueChanged();
        }
    });
    connect(m_device, &DevicePage::ConfigureClicked, this, &frmMain::LaunchModulePlugIn);
}

// --- start -----------------------------------------------------------------------

void frmMain::Display()
{
    PlugInGlobals::Trace(QStringLiteral("[frmMain] Public Sub Display()"));
    try {
        m_loaded = true;
        setWindowTitle(PlugInGlobals::WindowTitle());
        restorePosition();
        StartConfiguration(PlugInGlobals::CommandIndex);
        SetControls();
        if (m_configuration)
            m_configuration->checkValues();
        LogService &log = LogService::instance();
        log.setApplyEnabled(false);
        log.setParametersChanged(false);
        ShowPage(DeviceKey);
        if (PlugInGlobals::SetMonitoring)
            PlugInGlobals::SetMonitoring(false);
        if (log.ErrorLogged())
            log.ShowLogger();
        log.setErrorLogged(false);
        PlugInGlobals::HideStatus();
        show();
        log.setStatusText(ResourceStrings::LoadResString(1517));
    } catch (const std::exception &error) {
        PlugInGlobals::LogError(error, Module, QStringLiteral("Display"));
        show();
    }
}

void frmMain::StartConfiguration(int commandIndex)
{
    if (commandIndex != 1)
        return;
    m_configuration = std::make_unique<cConfiguration>();
    m_configuration->setView(this);
    m_configuration->Context().modulePage = [this](int slot) {
        return m_modules.at(static_cast<size_t>(slot - 1))->rowArea();
    };
    m_configuration->Context().valueChanged = [this] { ValueChanged(); };
    for (int slot = 1; slot <= 8; ++slot) {
        QComboBox *list = m_configuration->SlotComboBox(slot);
        m_device->AttachSlotList(slot, list);
        list->installEventFilter(this);
        connect(list, &QComboBox::activated, this, [this, slot] { onSlotSelected(slot); });
    }
    m_configuration->FetchCPs();
    LogService &log = LogService::instance();
    log.WriteLogLine(ResourceStrings::LoadResString(1530), LogService::Green);
    log.WriteLogLine(ResourceStrings::LoadResString(1550, 1), LogService::Blue);
    M_SwitchObject::InitSwitchTable();
    m_loadingSettings = true;
    m_configuration->ReadSettings();
    m_loadingSettings = false;
    log.WriteLogLine(ResourceStrings::LoadResString(1550, 2), LogService::Blue, false, false, 1);
}

void frmMain::PrepareMenu(int commandIndex)
{
    m_menu->HideParameterFileTools(commandIndex);
}

void frmMain::SetOfferedTabs(int)
{
    // The pages of the other commands (monitoring, controlling, calibration)
    // are not part of this plug-in: there is nothing to hide.
}

// --- controls ----------------------------------------------------------------------

int frmMain::slotValue(int slot) const
{
    QComboBox *list = m_device->SlotList(slot);
    return list && list->currentIndex() >= 0 ? list->currentData().toInt() : -1;
}

void frmMain::SetControls()
{
    if (!m_configuration)
        return;
    for (const auto &lmo : m_configuration->Lmos().Items())
        m_objects->SetName(lmo->Index(), lmo->Name());
    cParams &params = m_configuration->Parameters();
    for (int n = 8; n >= 1; --n) {
        cParamComboBox *slot = params.ComboBoxParameterByName(QStringLiteral("DeviceModules_%1").arg(n));
        if (slot->Value() < 0) {
            setTabShown(FirstModuleKey + n - 1, false);
            if (n < 8)
                params.ComboBoxParameterByName(QStringLiteral("DeviceModules_%1").arg(n + 1))
                    ->setLockMode(LM_DISABLED_GREY);
        } else {
            setTabShown(FirstModuleKey + n - 1, true);
            if (n >= 2)
                params.ComboBoxParameterByName(QStringLiteral("DeviceModules_%1").arg(n - 1))
                    ->RemoveComboBoxItemByItemData(-1);
        }
    }
    UpdateConfigureButtons();
    LogService::instance().setApplyEnabled(false);
    LogService::instance().setParametersChanged(false);
}

void frmMain::onSlotSelected(int n)
{
    if (m_loadingSettings || !m_configuration)
        return;
    const int t = slotValue(n);
    cParams &params = m_configuration->Parameters();
    params.ComboBox_Change_Event(m_device->SlotList(n));
    const auto slotParam = [&params](int s) {
        return params.ComboBoxParameterByName(QStringLiteral("DeviceModules_%1").arg(s));
    };
    if (n >= 2) {
        cParamComboBox *previous = slotParam(n - 1);
        if (t < 0 && !previous->ValueIsInComboList(-1))
            previous->AddComboBoxItem(ResourceStrings::LoadResString(1040, 1), -1);
        else if (t >= 0)
            previous->RemoveComboBoxItemByItemData(-1);
    }
    if (n < 8)
        slotParam(n + 1)->setLockMode(t < 0 ? LM_DISABLED_GREY : LM_UNLOCKED);
    setTabShown(FirstModuleKey + n - 1, t >= 0);
    UpdateConfigureButtons();
    ValueChanged();
}

void frmMain::onSlotCommitted(int n)
{
    if (m_loadingSettings || !m_configuration)
        return;
    cActModule *module = m_configuration->ActModules().Item(n);
    const int t = slotValue(n);
    if (module->ModuleType() != t)
        module->setModuleType(t);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        for (int n = 1; n <= 8; ++n) {
            if (watched == m_device->SlotList(n))
                onSlotCommitted(n);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

int frmMain::tabIndexOfKey(int keyNo) const
{
    for (int i = 0; i < m_tabs->count(); ++i) {
        if (m_tabs->tabBar()->tabData(i).toString() == tabKey(keyNo))
            return i;
    }
    return -1;
}

void frmMain::setTabShown(int keyNo, bool shown)
{
    const int index = tabIndexOfKey(keyNo);
    if (index >= 0)
        m_tabs->setTabVisible(index, shown);
}

void frmMain::ShowPage(int keyNo)
{
    const int index = tabIndexOfKey(keyNo);
    if (index < 0 || !m_tabs->isTabVisible(index))
        return;
    m_tabs->setCurrentIndex(index);
    m_currentPageNo = keyNo;
}

void frmMain::UpdateConfigureButtons()
{
    for (int n = 1; n <= 8; ++n) {
        const int t = slotValue(n);
        m_device->ConfigureButton(n)->setVisible(t == MT_KW8 || t == MT_KW16 || t == MT_KW4);
    }
}

void frmMain::ValueChanged()
{
    LogService::instance().setParametersChanged(true);
    LogService::instance().setApplyEnabled(true);
}

void frmMain::SetBusy(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
    m_ok->setEnabled(!busy);
    m_cancel->setEnabled(!busy);
    for (int n = 1; n <= 8; ++n)
        m_device->ConfigureButton(n)->setEnabled(!busy);
}

// --- the lighting modules' own plug-in ----------------------------------------------

void frmMain::LaunchModulePlugIn(int slot)
{
    // The sibling runs on by itself; a missing one is no error of ours.
    const QString service = QStringLiteral("veltoSorvanKWx.Application");
    QDBusInterface sibling(service, QStringLiteral("/Application"), service, QDBusConnection::sessionBus());
    if (!sibling.isValid())
        return;
    const auto set = [&](const char *name, const QVariant &value) { sibling.setProperty(name, value); };
    if (PlugInGlobals::Remote) {
        set("NetworkInterfaceName", QStringLiteral("Internet"));
        set("Remote", true);
    }
    if (PlugInGlobals::Session.network)
        set("NetworkName", PlugInGlobals::Session.network->name());
    set("ModuleIndex", slot);
    sibling.call(QStringLiteral("SendCommand"), PlugInGlobals::CommandId, PlugInGlobals::ClassId,
                 PlugInGlobals::ObjectName);
    set("Visible", true);
}

// --- OK, Cancel, Apply, close ------------------------------------------------------

void frmMain::onOk()
{
    if (!LogService::instance().ParametersChanged() || PlugInGlobals::CommandIndex != 1 || !m_configuration) {
        m_closeConfirmed = true;
        close();
        return;
    }
    if (m_configuration->WriteParameters() && !LogService::instance().ApplyEnabled()) {
        m_closeConfirmed = true;
        close();
    }
}

void frmMain::onApply()
{
    if (m_configuration && m_configuration->WriteParameters() && !LogService::instance().ApplyEnabled())
        m_apply->setEnabled(false);
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (!m_closeConfirmed && LogService::instance().ParametersChanged() &&
        MessageBox::show(ResourceStrings::LoadResString(1428, 3), windowTitle(), MessageBox::Icon::Question,
                         MessageBox::Buttons::YesNo, MessageBox::Button::No) != MessageBox::Button::Yes) {
        event->ignore();
        return;
    }
    m_closeConfirmed = false;
    event->accept();
    PlugInGlobals::Trace(QStringLiteral("[frmMain] Private Sub Form_Unload(Cancel As Integer)"));
    savePosition();
    LogService::instance().setStatusText(ResourceStrings::LoadResString(1507));
    m_loaded = false;
    m_configuration.reset();
    LcaPlugIn::EndApp();
}

void frmMain::Unload()
{
    m_closeConfirmed = true;
    close();
}

void frmMain::setMinimized(bool minimized)
{
    if (minimized)
        showMinimized();
    else
        showNormal();
}

void frmMain::ShowAbout()
{
    AboutDialog::showAbout(this);
}

void frmMain::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == F1)
        HelpDisplay::ShowHelp(PlugInGlobals::HelpFilePath, 1000 + m_currentPageNo);
    QMainWindow::keyReleaseEvent(event);
}

// --- menu --------------------------------------------------------------------------

void frmMain::ExecuteMenuCommand(const QString &key)
{
    if (key == QLatin1String("English") || key == QLatin1String("German")) {
        const int language = key == QLatin1String("German") ? 1000 : 0;
        if (LcaPlugIn::ReadLanguage() == language)
            return;
        RegistryUtility::write(LcaPlugIn::LanguageKey(), QStringLiteral("Language"),
                               QString::number(language));
        MessageBox::show(ResourceStrings::LoadResString(
                             1490, 1, QStringList{m_menu->Tool(key)->text().remove(QLatin1Char('&'))}),
                         windowTitle(), MessageBox::Icon::Information);
    } else if (key == QLatin1String("Quit")) {
        close();
    } else if (key == QLatin1String("About")) {
        ShowAbout();
    } else if (key == QLatin1String("Manual")) {
        HelpDisplay::ShowHelp(PlugInGlobals::HelpFilePath, -1);
    } else if (!m_configuration) {
        return;
    } else if (key == QLatin1String("SaveFile")) {
        ParameterFileCommands::SaveParameters(*m_configuration, windowTitle());
    } else if (key == QLatin1String("OpenFile")) {
        if (ParameterFileCommands::LoadParameters(*m_configuration, windowTitle())) {
            const bool changed = LogService::instance().ParametersChanged();
            SetControls();
            LogService::instance().setParametersChanged(changed);
            LogService::instance().setApplyEnabled(changed);
        }
    } else if (key == QLatin1String("ReadParameters")) {
        m_configuration->ReadParameters();
    } else if (key == QLatin1String("WriteParameters")) {
        m_configuration->WriteParameters();
    } else if (key == QLatin1String("SpreadParameters")) {
        m_configuration->WriteParametersEx();
    }
}

// --- placement -----------------------------------------------------------------------

void frmMain::restorePosition()
{
    const QString key = LcaPlugIn::ProductKey() + QStringLiteral("\\Settings");
    const int top = RegistryUtility::read(key, QStringLiteral("Top"), QStringLiteral("-1")).toInt();
    const int left = RegistryUtility::read(key, QStringLiteral("Left"), QStringLiteral("-1")).toInt();
    if (top == -1 || left == -1)
        return;
    // A placement from a screen that is gone is moved back onto one.
    QPoint at(left, top);
    bool onScreen = false;
    for (const QScreen *screen : QGuiApplication::screens())
        onScreen = onScreen || screen->availableGeometry().contains(at);
    if (!onScreen && QGuiApplication::primaryScreen())
        at = QGuiApplication::primaryScreen()->availableGeometry().topLeft();
    move(at);
}

void frmMain::savePosition()
{
    if (isMinimized())
        return;
    const QString key = LcaPlugIn::ProductKey() + QStringLiteral("\\Settings");
    RegistryUtility::write(key, QStringLiteral("Top"), QString::number(y()));
    RegistryUtility::write(key, QStringLiteral("Left"), QString::number(x()));
}
