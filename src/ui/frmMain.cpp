#include "ui/frmMain.h"

#include "host/AppVersion.h"
#include "host/FileExists.h"
#include "host/HelpDisplay.h"
#include "host/LcaPlugIn.h"
#include "host/PlugInGlobals.h"
#include "host/ResourceStrings.h"
#include "model/M_SwitchObject.h"
#include "model/cActChannel.h"
#include "model/cActModule.h"
#include "model/cActModules.h"
#include "model/cLmo.h"
#include "params/LogService.h"
#include "params/cParamComboBox.h"
#include "platform/services/FileCheckPoint.h"
#include "platform/services/FileDialog.h"
#include "platform/services/MessageBox.h"
#include "platform/services/RegistryUtility.h"
#include "platform/services/SettingsBatch.h"
#include "platform/services/UtilityComponent.h"
#include "template/ParamEnums.h"
#include "ui/AboutDialog.h"
#include "ui/ButtonBar.h"
#include "ui/ButtonLine.h"
#include "ui/Captions.h"
#include "ui/DeviceInfoDialog.h"
#include "ui/DevicePage.h"
#include "ui/FocusChain.h"
#include "ui/LoggerPage.h"
#include "ui/MainMenu.h"
#include "ui/ModulePage.h"
#include "ui/ObjectsPage.h"
#include "ui/ParameterFileCommands.h"
#include "ui/RestoreCommands.h"
#include "ui/TabRows.h"
#include "ui/TabStripControl.h"
#include "ui/WindowLayout.h"
#include "ui/cTab.h"
#include "ui/cTabStrip.h"
#include "ui/cTabs.h"
#include "widgets/Twips.h"
#include "widgets/ctlChannel.h"
#include "workflows/cConfiguration.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

namespace {
const QString Module = QStringLiteral("frmMain");

// The device's technical documentation, named by its entry in the description file.
QString AppDocFilePath()
{
    const auto &device = PlugInGlobals::Session.device;
    if (!PlugInGlobals::Utility || !device)
        return QString();
    QString file;
    try {
        file = PlugInGlobals::Utility->documentationFile(device->programId());
    } catch (const std::exception &) {
        return QString();
    }
    return file.isEmpty() ? QString() : PlugInGlobals::ProgramFolder() + file;
}
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

    // Everything under the menu is placed by the window layout, in twips.
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    setCentralWidget(m_client);
    m_buttonBar = new ButtonBar(m_client);
    connect(m_buttonBar, &ButtonBar::ButtonClicked, this, &frmMain::onButtonBarClicked);
    m_tabStrip = new TabStripControl(m_client);
    m_tabStrip->setObjectName(QStringLiteral("tabStrip"));
    buildTabStrip();
    connect(m_tabStrip, &TabStripControl::TabClicked, this, [this](int keyNo) { m_layout->ShowPage(keyNo); });
    buildPageKeys();

    WindowLayout::Controls controls;
    controls.form = this;
    controls.client = m_client;
    controls.buttonBar = m_buttonBar;
    controls.tabStrips = {m_tabStrip};
    m_device = new DevicePage(m_client);
    controls.pages.insert(DeviceKey, m_device);
    m_objects = new ObjectsPage(m_client);
    controls.pages.insert(ObjectsKey, m_objects);
    BuildModulePages();
    for (int slot = 1; slot <= 8; ++slot)
        controls.pages.insert(FirstModuleKey + slot - 1, m_modules.at(static_cast<size_t>(slot - 1)));
    m_loggerPage = new QFrame(m_client);
    m_loggerPage->setObjectName(QStringLiteral("pageLogger"));
    m_logger = new LoggerPage(m_loggerPage);
    m_logger->setGeometry(Twips::Rect(120, 120, 6300 - 240, 5100 - 300));
    controls.pages.insert(LoggerKey, m_loggerPage);
    controls.logBox = m_logger;
    controls.logPage = LoggerKey;
    m_buttonLine = new ButtonLine(m_client);
    controls.buttonLine = m_buttonLine;
    m_layout = std::make_unique<WindowLayout>(controls);
    for (QWidget *page : std::as_const(controls.pages))
        page->move(Twips::ToPixels(WindowLayout::OutOfSight), 0);

    connect(m_buttonLine->Ok(), &QPushButton::clicked, this, &frmMain::onOk);
    connect(m_buttonLine->Cancel(), &QPushButton::clicked, this, &frmMain::close);
    connect(m_buttonLine->Apply(), &QPushButton::clicked, this, &frmMain::onApply);
    connect(m_buttonLine, &ButtonLine::BusyChanged, this, [this](bool busy) {
        for (int n = 1; n <= 8; ++n)
            m_device->ConfigureButton(n)->setEnabled(!busy);
    });
    connect(m_objects, &ObjectsPage::NameEdited, this, &frmMain::onNameEdited);
    connect(m_device, &DevicePage::ConfigureClicked, this, &frmMain::LaunchModulePlugIn);

    LogService &log = LogService::instance();
    connect(&log, &LogService::statusTextChanged, m_buttonLine->Status(), &QLabel::setText);
    connect(&log, &LogService::applyEnabledChanged, m_buttonLine->Apply(), &QPushButton::setEnabled);
    connect(&log, &LogService::showLoggerRequested, this, [this] { ShowPage(LoggerKey); });
    MessageBox::setParentWindow(this);
    FileDialog::setParentWindow(this);

    // Stands in for the object server's recurring notification, which the
    // network database does not send: the window counts the beats and at
    // every eleventh refreshes itself and its mouse pointer.
    m_heartbeat = new QTimer(this);
    m_heartbeat->setInterval(250);
    connect(m_heartbeat, &QTimer::timeout, this, &frmMain::Heartbeat);
}

frmMain::~frmMain()
{
    MessageBox::setParentWindow(nullptr);
    FileDialog::setParentWindow(nullptr);
    m_configuration.reset();
}

void frmMain::buildTabStrip()
{
    // Design order; the tag is the caption's text id.
    m_tabStrip->InsertTab(0, tabKey(DeviceKey), QString(), QString(), QStringLiteral("1010"));
    m_tabStrip->InsertTab(1, tabKey(ObjectsKey), QString(), QString(), QStringLiteral("1011"));
    for (int slot = 1; slot <= 8; ++slot)
        m_tabStrip->InsertTab(m_tabStrip->Count(), tabKey(FirstModuleKey + slot - 1), QString(), QString(),
                              QStringLiteral("1031"));
    m_tabStrip->InsertTab(m_tabStrip->Count(), tabKey(LoggerKey), QString(), QString(),
                          QStringLiteral("1015"));
    m_tabStrip->Select(0);
}

void frmMain::buildPageKeys()
{
    // Ctrl+Tab and Ctrl+PgDown go to the next page, Ctrl+Shift+Tab and
    // Ctrl+PgUp back, as in every tabbed window, wherever the focus is: a
    // list would take the page keys for itself.
    auto *next = new QAction(this);
    next->setObjectName(QStringLiteral("actNextPage"));
    next->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)});
    connect(next, &QAction::triggered, this, [this] { StepPage(1); });
    auto *previous = new QAction(this);
    previous->setObjectName(QStringLiteral("actPreviousPage"));
    previous->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), QKeySequence(Qt::CTRL | Qt::Key_PageUp)});
    connect(previous, &QAction::triggered, this, [this] { StepPage(-1); });
    addActions({next, previous});
}

void frmMain::StepPage(int step)
{
    const int count = m_tabStrip->Count();
    if (count == 0)
        return;
    const int position = (m_tabStrip->SelectedPosition() + step + count) % count;
    ShowPage(TabStripControl::KeyNumber(m_tabStrip->Key(position)));
}

void frmMain::BuildModulePages()
{
    for (int slot = 1; slot <= 8; ++slot)
        m_modules.at(static_cast<size_t>(slot - 1)) = new ModulePage(slot, m_client);
}

void frmMain::LoadCaptions()
{
    Captions::LoadCaptions(this);
    m_menu->LoadResStringsToMenu();
    m_menu->ShowLanguage(LcaPlugIn::ReadLanguage());
    m_buttonBar->LoadCaptions();
    m_buttonLine->LoadCaptions();
    UpdateModuleCaptions();
}

void frmMain::UpdateModuleCaptions()
{
    for (int n = 1; n <= 8; ++n) {
        m_device->SlotLabel(n)->setText(
            ResourceStrings::LoadResString(1031, 1, QStringList{QString::number(n)}));
        m_modules.at(static_cast<size_t>(n - 1))->LoadCaption();
    }
    // Runs while all eight module tabs are present, so module tab n is
    // captioned for slot n; the tab records keep that caption.
    int counter = 0;
    for (int i = 0; i < m_tabStrip->Count(); ++i) {
        if (m_tabStrip->Tag(i).toString() != QLatin1String("1031"))
            continue;
        ++counter;
        const QString caption =
            ResourceStrings::LoadResString(1031, 1, QStringList{QString::number(counter)});
        m_tabStrip->SetCaption(i, caption);
        if (cTabStrip *record = m_layout ? m_layout->TabStrips().Item(m_tabStrip) : nullptr) {
            if (cTab *tab = record->Tabs()->ItemByKey(m_tabStrip->Key(i)))
                tab->setCaption(caption);
        }
    }
}

void frmMain::onButtonBarClicked(const QString &key)
{
    const int keyNo = m_layout->SelectTabStrip(key.toInt());
    m_layout->ShowPage(keyNo);
    if (PlugInGlobals::SetMonitoring)
        PlugInGlobals::SetMonitoring(key.toInt() == 1);
}

// --- start -----------------------------------------------------------------------

void frmMain::Load()
{
    // The window loads when the start first uses it: the language is known by then.
    PlugInGlobals::Trace(QStringLiteral("[frmMain] Private Sub Form_Load()"));
    try {
        restorePosition();
        LoadCaptions();
    } catch (const std::exception &error) {
        PlugInGlobals::LogError(error, Module, QStringLiteral("Form_Load"));
    }
}

void frmMain::Display()
{
    Load();
    PlugInGlobals::Trace(QStringLiteral("[frmMain] Public Sub Display()"));
    try {
        m_loaded = true;
        setWindowTitle(PlugInGlobals::WindowTitle());
        m_layout->ArrangeMainWindow(5100, 2, 6300);
        m_normalWidth = width();
        m_normalHeight = height();
        m_extendedHeight = m_normalHeight + Twips::ToPixels(4050);
        StartConfiguration(PlugInGlobals::CommandIndex);
        m_menu->Tool(QStringLiteral("Manual"))->setEnabled(FileExists(PlugInGlobals::HelpFilePath));
        m_menu->Tool(QStringLiteral("AppDoc"))->setEnabled(FileExists(AppDocFilePath()));
        SetControls();
        if (m_configuration)
            m_configuration->checkValues();
        LogService &log = LogService::instance();
        log.setApplyEnabled(false);
        log.setParametersChanged(false);
        m_buttonBar->Button()->setChecked(true);
        onButtonBarClicked(m_buttonBar->SelectedKey());
        if (log.ErrorLogged())
            log.ShowLogger();
        log.setErrorLogged(false);
        PlugInGlobals::HideStatus();
        show();
        m_heartbeat->start();
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
    // Opening the device is an operation: the template and the description
    // file are compared with the disk once for it.
    FileCheckPoint::operationBegins();
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

void frmMain::SetOfferedTabs(int tabMask)
{
    // The button bar holds only "Configuration" (bit 1); the buttons of
    // monitoring, controlling and calibration belong to other plug-ins.
    constexpr int Configuration = 1;
    m_buttonBar->Button()->setVisible((tabMask & Configuration) == 0);
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
            // A set loaded over slots that were greyed fills them: the slot
            // after a module is the user's to choose again.
            if (n < 8)
                params.ComboBoxParameterByName(QStringLiteral("DeviceModules_%1").arg(n + 1))
                    ->setLockMode(LM_UNLOCKED);
        }
    }
    AdjustWindowHeight();
    UpdateConfigureButtons();
    LogService::instance().setApplyEnabled(false);
    LogService::instance().setParametersChanged(false);
}

void frmMain::onSlotSelected(int n)
{
    if (m_loadingSettings || !m_configuration)
        return;
    // A module type chosen asks the template what it offers.
    FileCheckPoint::operationBegins();
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
    AdjustWindowHeight();
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

void frmMain::setTabShown(int keyNo, bool shown)
{
    cTabStrip *record = m_layout->TabStrips().Item(m_tabStrip);
    if (!record)
        return;
    if (shown)
        record->Tabs()->ShowTabByKeyNo(keyNo);
    else
        record->Tabs()->HideTabByKeyNo(keyNo);
}

void frmMain::ShowPage(int keyNo)
{
    const int position = m_tabStrip->PositionOfKey(tabKey(keyNo));
    if (position < 0)
        return;
    m_tabStrip->Select(position);
    m_layout->ShowPage(keyNo);
}

int frmMain::CurrentPageNo() const
{
    return m_layout->CurrentPageNo();
}

void frmMain::UpdateConfigureButtons()
{
    for (int n = 1; n <= 8; ++n) {
        const int t = slotValue(n);
        m_device->ConfigureButton(n)->setVisible(t == MT_KW8 || t == MT_KW16 || t == MT_KW4);
    }
}

void frmMain::AdjustWindowHeight()
{
    // A KW16 module has 16 channel rows: its page needs the taller window.
    if (m_normalHeight <= 0)
        return;
    bool kw16 = false;
    for (int n = 1; n <= 8; ++n)
        kw16 = kw16 || slotValue(n) == MT_KW16;
    const int height = kw16 ? m_extendedHeight : m_normalHeight;
    // Smaller, the pages would cut off their rows.
    setMinimumSize(m_normalWidth, height);
    setHeight(height);
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (!isMinimized() && m_layout->CurrentTabStrip())
        m_layout->ResizeMainWindow(m_layout->MenuOffset(), 0);
}

void frmMain::Heartbeat()
{
    if (++m_heartbeats <= 10)
        return;
    m_heartbeats = 0;
    update();
    // A pointer left behind by a command that ended is taken back; a
    // running workflow keeps its hourglass.
    if (!m_busy) {
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    }
}

void frmMain::onNameEdited(int n, const QString &name)
{
    if (!m_configuration)
        return;
    cLmo *lmo = m_configuration->Lmos().Find(n);
    if (!lmo)
        return;
    lmo->setName(name);
    // The channel bound to the object shows the new name in its closed list at once.
    if (cActChannel *channel = lmo->ActChannel(); channel && channel->ChannelControl())
        channel->ChannelControl()->RefreshObjectList();
    ValueChanged();
}

void frmMain::ValueChanged()
{
    LogService::instance().setParametersChanged(true);
    LogService::instance().setApplyEnabled(true);
}

void frmMain::SetBusy(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
    m_buttonLine->setBusy(busy);
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
    FileCheckPoint::operationBegins();
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
    FileCheckPoint::operationBegins();
    if (m_configuration && m_configuration->WriteParameters() && !LogService::instance().ApplyEnabled())
        m_buttonLine->Apply()->setEnabled(false);
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
    // The end switches the monitoring of the configuration's points off:
    // the configuration goes after it.
    LcaPlugIn::EndApp();
    m_configuration.reset();
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

void frmMain::keyPressEvent(QKeyEvent *event)
{
    // As in a dialog: Escape is Cancel, Enter presses the button that has
    // the focus. A key a control used itself does not come here.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    auto *button = qobject_cast<QAbstractButton *>(focusWidget());
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (m_buttonLine->Cancel()->isEnabled())
            m_buttonLine->Cancel()->click();
    } else if (enter && button && button->isEnabled()) {
        button->click();
    } else {
        QMainWindow::keyPressEvent(event);
        return;
    }
    event->accept();
}

bool frmMain::focusNextPrevChild(bool next)
{
    QWidget *target = FocusChain::Next(FocusOrder(), focusWidget(), next);
    if (!target)
        return QMainWindow::focusNextPrevChild(next);
    target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

QList<QWidget *> frmMain::FocusOrder() const
{
    QList<QWidget *> order{static_cast<QWidget *>(m_buttonBar->Button()), m_tabStrip->Bar()};
    const int page = CurrentPageNo();
    if (page == DeviceKey)
        order << m_device->FocusOrder();
    else if (page == ObjectsKey)
        order << m_objects->FocusOrder();
    else if (page >= FirstModuleKey && page < FirstModuleKey + 8)
        order << m_modules.at(static_cast<size_t>(page - FirstModuleKey))->FocusOrder();
    order << m_buttonLine->Ok() << m_buttonLine->Cancel() << m_buttonLine->Apply();
    return order;
}

void frmMain::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == F1)
        HelpDisplay::ShowHelp(PlugInGlobals::HelpFilePath, 1000 + CurrentPageNo());
    QMainWindow::keyReleaseEvent(event);
}

// --- menu --------------------------------------------------------------------------

void frmMain::ExecuteMenuCommand(const QString &key)
{
    // Each command is an operation of its own (see StartConfiguration).
    FileCheckPoint::operationBegins();
    if (key == QLatin1String("English") || key == QLatin1String("German")) {
        const int language = key == QLatin1String("German") ? 1000 : 0;
        if (LcaPlugIn::ReadLanguage() == language)
            return;
        RegistryUtility::write(LcaPlugIn::LanguageKey(), QStringLiteral("Language"),
                               QString::number(language));
        m_menu->ShowLanguage(language);
        MessageBox::show(ResourceStrings::LoadResString(
                             1490, 1, QStringList{m_menu->Tool(key)->text().remove(QLatin1Char('&'))}),
                         windowTitle(), MessageBox::Icon::Information);
    } else if (key == QLatin1String("Quit")) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        close();
        // Kept open by the close question: the hourglass goes with it.
        if (isVisible())
            QApplication::restoreOverrideCursor();
    } else if (key == QLatin1String("About")) {
        ShowAbout();
    } else if (key == QLatin1String("Manual")) {
        HelpDisplay::ShowHelp(PlugInGlobals::HelpFilePath, -1);
    } else if (key == QLatin1String("AppDoc")) {
        HelpDisplay::ShowHelp(AppDocFilePath(), -1);
    } else if (key == QLatin1String("DeviceInfo")) {
        DeviceInfoDialog::showDeviceInfo(windowTitle(), this);
    } else if (!m_configuration) {
        return;
    } else if (key == QLatin1String("SaveFile")) {
        ParameterFileCommands::SaveParameters(*m_configuration, windowTitle());
    } else if (key == QLatin1String("OpenFile") || key == QLatin1String("RestoreConfiguration")) {
        const bool put = key == QLatin1String("OpenFile")
                             ? ParameterFileCommands::LoadParameters(*m_configuration, windowTitle())
                             : RestoreCommands::RestoreEarlierSet(*m_configuration, windowTitle(), this);
        if (put) {
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
    // Stored in twips, as the plug-ins of the line keep it; -1: no position stored.
    const QString key = LcaPlugIn::ProductKey() + QStringLiteral("\\Settings");
    const int top = RegistryUtility::read(key, QStringLiteral("Top"), QStringLiteral("-1")).toInt();
    const int left = RegistryUtility::read(key, QStringLiteral("Left"), QStringLiteral("-1")).toInt();
    QPoint at = pos();
    if (top != -1)
        at.setY(Twips::ToPixels(top));
    if (left != -1)
        at.setX(Twips::ToPixels(left));
    if (top == -1 && left == -1)
        return;
    // A placement from a screen that is gone is moved back onto one.
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
    SettingsBatch batch;
    batch.write(key, QStringLiteral("Top"), QString::number(qRound(Twips::FromPixels(y()))));
    batch.write(key, QStringLiteral("Left"), QString::number(qRound(Twips::FromPixels(x()))));
}
