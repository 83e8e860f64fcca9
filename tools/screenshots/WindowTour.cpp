#include "WindowTour.h"

#include "model/cActChannel.h"
#include "model/cActModule.h"
#include "model/cActModules.h"
#include "params/LogService.h"
#include "ui/HelpWindow.h"
#include "ui/TabStripControl.h"
#include "ui/frmMain.h"
#include "widgets/ctlChannel.h"
#include "workflows/cConfiguration.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <cstdio>

WindowTour::WindowTour(frmMain &window, HelpWindow &help, const QString &folder)
    : m_window(window), m_help(help), m_folder(folder)
{
}

void WindowTour::save(const QString &name, QWidget *shown)
{
    QApplication::processEvents();
    const QString file = QDir(m_folder).filePath(name);
    if (!(shown ? shown : &m_window)->grab().save(file))
        fail(QStringLiteral("cannot write ") + file);
    else
        std::printf("%s\n", qPrintable(file));
}

void WindowTour::fail(const QString &why)
{
    std::fprintf(stderr, "rx24-screenshots: %s\n", qPrintable(why));
    m_succeeded = false;
}

bool WindowTour::pick(int slot, int channel, const char *list, int entry)
{
    cActModule *module = m_window.Configuration()->ActModules().Item(slot);
    cActChannel *row = module ? module->ChannelByIndex(channel) : nullptr;
    auto *combo = row && row->ChannelControl()
                      ? row->ChannelControl()->findChild<QComboBox *>(QLatin1String(list))
                      : nullptr;
    if (!combo)
        return false;
    // Opening the list fills it, as the user's click does.
    combo->showPopup();
    combo->hidePopup();
    if (entry >= combo->count())
        return false;
    combo->setCurrentIndex(entry);
    Q_EMIT combo->activated(entry);
    return true;
}

void WindowTour::Run()
{
    if (!m_window.IsLoaded() || !m_window.Configuration()) {
        fail(QStringLiteral("the window did not open"));
        QApplication::exit(1);
        return;
    }
    QDir().mkpath(m_folder);
    m_succeeded = true;
    m_window.ShowPage(frmMain::DeviceKey);
    save(QStringLiteral("device.png"));

    // The first module's page: the second channel gets the next free object
    // and the first function its list offers.
    m_window.ShowPage(frmMain::FirstModuleKey);
    if (!pick(1, 2, "cboObject", 1) || !pick(1, 2, "cboType", 0))
        fail(QStringLiteral("channel 2 of module 1 offers no object or function"));
    save(QStringLiteral("module.png"));

    QTest::mouseClick(m_window.findChild<QPushButton *>(QStringLiteral("btnApply")), Qt::LeftButton);
    for (const LogLine &line : LogService::instance().Lines()) {
        if (line.colour == LogService::Red)
            fail(QStringLiteral("the write logged: ") + line.text);
    }
    if (m_window.findChild<QPushButton *>(QStringLiteral("btnApply"))->isEnabled())
        fail(QStringLiteral("Apply did not write the device"));
    m_window.ShowPage(frmMain::LoggerKey);
    save(QStringLiteral("logger.png"));

    // F1 on the Device page: the manual at the page's topic.
    m_window.ShowPage(frmMain::DeviceKey);
    QTest::keyClick(&m_window, Qt::Key_F1);
    if (!m_help.isVisible())
        fail(QStringLiteral("F1 did not open the manual"));
    m_help.resize(760, 560);
    save(QStringLiteral("help.png"), &m_help);
    m_help.close();
    m_window.Unload();
}
