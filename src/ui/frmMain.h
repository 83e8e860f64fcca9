#pragma once

#include "host/MainWindowHost.h"
#include "workflows/ConfigurationView.h"

#include <QMainWindow>
#include <array>
#include <memory>

class ButtonBar;
class ButtonLine;
class QTimer;
class TabStripControl;
class WindowLayout;
class cConfiguration;
class DevicePage;
class LoggerPage;
class MainMenu;
class ModulePage;
class ObjectsPage;

// The one window of the plug-in: the configuration of the device on tabbed
// pages (Device, Objects, a page per used module slot, Logger), the menu,
// and OK, Cancel and Apply with the status text. It owns the configuration
// of the device for as long as it is open.
class frmMain : public QMainWindow, public MainWindowHost, public ConfigurationView
{
    Q_OBJECT
public:
    // Tab keys: "KEY:1" Device, "KEY:2" Objects, "KEY:3" .. "KEY:10" the
    // module slots 1 .. 8, "KEY:0" Logger.
    static constexpr int LoggerKey = 0;
    static constexpr int DeviceKey = 1;
    static constexpr int ObjectsKey = 2;
    static constexpr int FirstModuleKey = 3;

    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // MainWindowHost
    void PrepareMenu(int commandIndex) override;
    void SetOfferedTabs(int tabMask) override;
    void Start() override { Display(); }
    bool IsLoaded() const override { return m_loaded; }
    void Unload() override;
    void ShowAbout() override;
    int Left() const override { return x(); }
    void setLeft(int left) override { move(left, y()); }
    int Top() const override { return y(); }
    void setTop(int top) override { move(x(), top); }
    int Width() const override { return width(); }
    void setWidth(int width) override { resize(width, height()); }
    int Height() const override { return height(); }
    void setHeight(int height) override { resize(width(), height); }
    bool Minimized() const override { return isMinimized(); }
    void setMinimized(bool minimized) override;
    bool Visible() const override { return isVisible(); }
    void setVisible(bool visible) override { QMainWindow::setVisible(visible); }

    // ConfigurationView
    QString Caption() const override { return windowTitle(); }
    void SetBusy(bool busy) override;
    void SetControls() override;
    void Repaint() override { repaint(); }
    QWidget *Window() override { return this; }

    void Display();
    void ValueChanged();
    void ExecuteMenuCommand(const QString &key);
    // Brings the page of a tab key to the front, its tab selected: 0 Logger,
    // 1 Device, 2 Objects, 3 .. 10 modules. A hidden tab's page stays away.
    void ShowPage(int keyNo);
    int CurrentPageNo() const;
    cConfiguration *Configuration() const { return m_configuration.get(); }
    WindowLayout &Layout() const { return *m_layout; }
    TabStripControl *TabStrip() const { return m_tabStrip; }
    // The window's measured height and the one a KW16 module needs.
    int NormalHeight() const { return m_normalHeight; }
    int ExtendedHeight() const { return m_extendedHeight; }
    // One notification of the object server's recurring heartbeat.
    void Heartbeat();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void buildTabStrip();
    void buildPageKeys();
    void StepPage(int step);
    // The window's reading order: button bar, tabs, the page shown, the buttons.
    QList<QWidget *> FocusOrder() const;
    void onNameEdited(int n, const QString &name);
    void BuildModulePages();
    void UpdateModuleCaptions();
    void Load();
    void LoadCaptions();
    void StartConfiguration(int commandIndex);
    void onButtonBarClicked(const QString &key);
    void onSlotSelected(int slot);
    void onSlotCommitted(int slot);
    int slotValue(int slot) const;
    void setTabShown(int keyNo, bool shown);
    void UpdateConfigureButtons();
    void AdjustWindowHeight();
    void LaunchModulePlugIn(int slot);
    void onOk();
    void onApply();
    void restorePosition();
    void savePosition();

    std::unique_ptr<cConfiguration> m_configuration;
    MainMenu *m_menu = nullptr;
    QWidget *m_client = nullptr;
    ButtonBar *m_buttonBar = nullptr;
    TabStripControl *m_tabStrip = nullptr;
    DevicePage *m_device = nullptr;
    ObjectsPage *m_objects = nullptr;
    std::array<ModulePage *, 8> m_modules{};
    QWidget *m_loggerPage = nullptr;
    LoggerPage *m_logger = nullptr;
    ButtonLine *m_buttonLine = nullptr;
    std::unique_ptr<WindowLayout> m_layout;
    QTimer *m_heartbeat = nullptr;
    int m_heartbeats = 0;
    bool m_busy = false;
    bool m_loaded = false;
    bool m_loadingSettings = false;
    bool m_closeConfirmed = false;
    int m_normalWidth = 0;
    int m_normalHeight = 0;
    int m_extendedHeight = 0;
};
