#pragma once

#include "host/MainWindowHost.h"
#include "workflows/ConfigurationView.h"

#include <QMainWindow>
#include <array>
#include <memory>

class QLabel;
class QPushButton;
class QTabWidget;
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
    // The page of a tab key: 0 Logger, 1 Device, 2 Objects, 3 .. 10 modules.
    void ShowPage(int keyNo);
    int CurrentPageNo() const { return m_currentPageNo; }
    cConfiguration *Configuration() const { return m_configuration.get(); }

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildPages();
    void StartConfiguration(int commandIndex);
    void onSlotSelected(int slot);
    void onSlotCommitted(int slot);
    int slotValue(int slot) const;
    void setTabShown(int keyNo, bool shown);
    int tabIndexOfKey(int keyNo) const;
    void UpdateConfigureButtons();
    void LaunchModulePlugIn(int slot);
    void onOk();
    void onApply();
    void restorePosition();
    void savePosition();

    std::unique_ptr<cConfiguration> m_configuration;
    MainMenu *m_menu = nullptr;
    QTabWidget *m_tabs = nullptr;
    DevicePage *m_device = nullptr;
    ObjectsPage *m_objects = nullptr;
    std::array<ModulePage *, 8> m_modules{};
    LoggerPage *m_logger = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_apply = nullptr;
    QLabel *m_status = nullptr;
    bool m_loaded = false;
    bool m_loadingSettings = false;
    bool m_closeConfirmed = false;
    int m_currentPageNo = DeviceKey;
};
