#include "ui/MainMenu.h"

#include "host/PlugInGlobals.h"
#include "host/ResourceStrings.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

MainMenu::MainMenu(QMenuBar *bar) : QObject(bar)
{
    m_file = bar->addMenu(QString());
    m_file->setObjectName(QStringLiteral("mnuFile"));
    m_help = bar->addMenu(QString());
    m_help->setObjectName(QStringLiteral("mnuHelp"));
    for (const char *key : {"OpenFile", "SaveFile", "RestoreConfiguration", "FileSeperator", "ReadParameters",
                            "WriteParameters", "SpreadParameters", "ParameterSeperator"})
        add(m_file, QLatin1String(key));
    m_language = m_file->addMenu(QString());
    m_language->setObjectName(QStringLiteral("mnuLanguage"));
    m_tools.insert(QStringLiteral("Language"), m_language->menuAction());
    auto *languages = new QActionGroup(this);
    languages->setObjectName(QStringLiteral("grpLanguage"));
    for (const QString &key : {QStringLiteral("English"), QStringLiteral("German")}) {
        QAction *tool = add(m_language, key);
        tool->setCheckable(true);
        languages->addAction(tool);
    }
    add(m_file, QStringLiteral("LanguageSeperator"));
    add(m_file, QStringLiteral("Quit"));
    for (const char *key : {"Manual", "AppDoc", "InfoSeperator", "DeviceInfo", "AboutSeperator", "About"})
        add(m_help, QLatin1String(key));
    LoadResStringsToMenu();
}

QAction *MainMenu::add(QMenu *menu, const QString &key)
{
    QAction *tool =
        key.endsWith(QLatin1String("Seperator")) ? menu->addSeparator() : menu->addAction(QString());
    tool->setObjectName(QStringLiteral("mnu") + key);
    if (!tool->isSeparator())
        connect(tool, &QAction::triggered, this, [this, key] { Q_EMIT ToolClicked(key); });
    m_tools.insert(key, tool);
    return tool;
}

void MainMenu::LoadResStringsToMenu()
{
    PlugInGlobals::Trace(QStringLiteral("[frmMain] Private Sub LoadResStringsToMenu()"));
    const auto text = [](int id, int item) { return ResourceStrings::LoadResString(id, item); };
    m_file->setTitle(text(1370, 1));
    m_help->setTitle(text(1370, 2));
    const QStringList fileKeys{QStringLiteral("OpenFile"),
                               QStringLiteral("SaveFile"),
                               QStringLiteral("ReadParameters"),
                               QStringLiteral("WriteParameters"),
                               QStringLiteral("SpreadParameters"),
                               QStringLiteral("Language"),
                               QStringLiteral("Quit")};
    for (int i = 0; i < fileKeys.size(); ++i)
        m_tools.value(fileKeys.at(i))->setText(text(1371, i + 1));
    m_tools.value(QStringLiteral("RestoreConfiguration"))->setText(text(1980, 1));
    m_language->setTitle(text(1371, 6));
    m_tools.value(QStringLiteral("German"))->setText(text(1373, 1));
    m_tools.value(QStringLiteral("English"))->setText(text(1373, 2));
    const QStringList helpKeys{QStringLiteral("Manual"), QStringLiteral("AppDoc"),
                               QStringLiteral("DeviceInfo"), QStringLiteral("About")};
    for (int i = 0; i < helpKeys.size(); ++i)
        m_tools.value(helpKeys.at(i))->setText(text(1372, i + 1));
}

void MainMenu::ShowLanguage(int languageOffset)
{
    const QString key =
        languageOffset == ResourceStrings::German ? QStringLiteral("German") : QStringLiteral("English");
    m_tools.value(key)->setChecked(true);
}

void MainMenu::HideParameterFileTools(int commandIndex)
{
    const bool hide = commandIndex >= 2 && commandIndex <= 4;
    for (const char *key : {"OpenFile", "SaveFile", "RestoreConfiguration", "FileSeperator", "ReadParameters",
                            "WriteParameters", "SpreadParameters", "ParameterSeperator"})
        m_tools.value(QLatin1String(key))->setVisible(!hide);
}
