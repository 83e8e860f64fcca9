#pragma once

#include "host/HelpViewer.h"
#include "platform/services/FileDialog.h"
#include "ui/TabStripControl.h"
#include "ui/frmMain.h"
#include "workflows/WorkflowFixture.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

class RecordingHelp : public HelpViewer
{
public:
    bool show(const QString &path, int topic) override
    {
        topics << topic;
        paths << path;
        return true;
    }
    QList<int> topics;
    QStringList paths;
};

// The real window, started as a director starts the plug-in, on the
// offscreen platform; message boxes and file dialogs answered by the seams.
class MainWindowFixture : public WorkflowFixture
{
protected:
    void SetUp() override
    {
        WorkflowFixture::SetUp();
        FileDialog::setTestMode(true);
        window = std::make_unique<frmMain>();
        PlugInGlobals::MainWindow = window.get();
    }
    void TearDown() override
    {
        if (window && window->IsLoaded())
            window->Unload();
        window.reset();
        FileDialog::setTestMode(false);
        WorkflowFixture::TearDown();
    }

    void start(const QString &device = QStringLiteral("RX24 Hall"))
    {
        PlugInGlobals::Help = &help;
        PlugInMain::Main(QStringLiteral(" /COMMANDID:13 /CLASSID:7 /OBJECTNAME:Demo\\LNS System.Floor 1\\") +
                         device);
        ASSERT_TRUE(window->IsLoaded());
        PlugInGlobals::Help = &help;
    }
    // The window closes as the user closes it, and the next start finds
    // the database as another process would.
    void restart(const QString &device = QStringLiteral("RX24 Hall"))
    {
        window->Unload();
        window = std::make_unique<frmMain>();
        PlugInGlobals::MainWindow = window.get();
        LogService::reset();
        start(device);
    }

    // An empty manual where the plug-in looks for it, so that help opens.
    void provideManual() const
    {
        QDir().mkpath(QFileInfo(PlugInGlobals::HelpFilePath).absolutePath());
        QFile manual(PlugInGlobals::HelpFilePath);
        ASSERT_TRUE(manual.open(QIODevice::WriteOnly)) << PlugInGlobals::HelpFilePath.toStdString();
    }

    template <class T> T *find(const QString &name) const
    {
        T *child = window->findChild<T *>(name);
        EXPECT_NE(child, nullptr) << name.toStdString();
        return child;
    }
    TabStripControl *tabs() const { return find<TabStripControl>(QStringLiteral("tabStrip")); }
    QStringList visibleTabs() const
    {
        QStringList captions;
        for (int i = 0; i < tabs()->Count(); ++i)
            captions << tabs()->Caption(i);
        return captions;
    }
    QString selectedTab() const { return tabs()->Caption(tabs()->SelectedPosition()); }
    QComboBox *slotList(int slot) const { return find<QComboBox>(QStringLiteral("cboModule%1").arg(slot)); }
    // The user picks a module type in a slot's list and leaves the list.
    void chooseSlot(int slot, int moduleType)
    {
        QComboBox *list = slotList(slot);
        const int index = list->findData(moduleType);
        ASSERT_GE(index, 0) << "slot " << slot << " does not offer " << moduleType;
        list->setFocus();
        list->setCurrentIndex(index);
        Q_EMIT list->activated(index);
        // The offscreen platform moves no focus between windows: leave the list by hand.
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(list, &out);
    }
    void click(const QString &button) { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }
    void trigger(const QString &tool) { find<QAction>(QStringLiteral("mnu") + tool)->trigger(); }
    ctlChannel *channelRow(int slot, int channel) const
    {
        return window->Configuration()->ActModules().Item(slot)->ChannelByIndex(channel)->ChannelControl();
    }

    std::unique_ptr<frmMain> window;
    RecordingHelp help;
};
