#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QMenuBar;

// The menu bar of the main window: File (parameter files, an earlier
// configuration restored, read, write, copy, language, exit) and Help. Every tool carries its key as
// objectName
// ("mnu" + key) and is found by it; captions come from the text table.
class MainMenu : public QObject
{
    Q_OBJECT
public:
    explicit MainMenu(QMenuBar *bar);

    QAction *Tool(const QString &key) const { return m_tools.value(key); }
    // Captions of every tool from the text table, in the current language.
    void LoadResStringsToMenu();
    // Ticks the language chosen (0 English, 1000 German).
    void ShowLanguage(int languageOffset);
    // Commands 2, 3 and 4 do not configure: the file and parameter tools go.
    void HideParameterFileTools(int commandIndex);

Q_SIGNALS:
    // A tool was clicked; its key says which.
    void ToolClicked(const QString &key);

private:
    QAction *add(QMenu *menu, const QString &key);

    QMenu *m_file = nullptr;
    QMenu *m_help = nullptr;
    QMenu *m_language = nullptr;
    QHash<QString, QAction *> m_tools;
};
