// The boxes and file dialogs of the window as the user meets them: in the
// window's language, over the window, in the folder used last; a name typed
// without a suffix is saved as a parameter file that Load lists again.
#include "MainWindowFixture.h"
#include "ui/ParameterFolder.h"

#include <QFileDialog>
#include <QListView>
#include <QMessageBox>
#include <QScreen>

namespace {

class Dialogs : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        storeSlots(QStringLiteral("RX24 Hall"), {MT_RP4});
    }
    void TearDown() override
    {
        MessageBox::clearTestRecord();
        FileDialog::clearTestRecord();
        MainWindowFixture::TearDown();
    }
    // What a dialog says on its buttons, and on its labels with them, sorted.
    static std::string buttons(const QWidget &dialog, bool andLabels = false)
    {
        QStringList shown;
        for (const QPushButton *button : dialog.findChildren<QPushButton *>())
            shown << button->text();
        for (const QLabel *label : dialog.findChildren<QLabel *>()) {
            if (andLabels && label->isVisible() && !label->text().isEmpty())
                shown << label->text();
        }
        shown.sort();
        return shown.join(QLatin1Char('|')).toStdString();
    }
    // In the middle of the screen, where a dialog over it has room.
    void centreWindow() const
    {
        const QRect screen = window->screen()->availableGeometry();
        window->move(screen.center() - window->rect().center());
    }
    void expectCentredOnWindow(const QWidget &dialog) const
    {
        const QPoint offset = dialog.frameGeometry().center() - window->frameGeometry().center();
        EXPECT_LE(offset.manhattanLength(), 2) << "off by " << offset.x() << ", " << offset.y();
    }
};

TEST_F(Dialogs, InGermanEveryBoxAndFileDialogIsGerman)
{
    RegistryUtility::write(LcaPlugIn::LanguageKey(), QStringLiteral("Language"), QStringLiteral("1000"));
    start();
    centreWindow();
    window->ShowPage(frmMain::ObjectsKey);
    QTest::keyClicks(find<QLineEdit>(QStringLiteral("txtName1")), QStringLiteral(" x"));

    std::string box;
    MessageBox::setTestDriver([&](QMessageBox &shown) {
        box = buttons(shown);
        expectCentredOnWindow(shown);
        QTest::mouseClick(shown.button(QMessageBox::Yes), Qt::LeftButton);
    });
    std::string save, load;
    FileDialog::setTestDriver([&](QFileDialog &dialog) {
        (dialog.acceptMode() == QFileDialog::AcceptSave ? save : load) = buttons(dialog, true);
    });
    trigger(QStringLiteral("SaveFile"));
    EXPECT_EQ(save, "Abbrechen|Datei&name:|Dateien des Typs:|Speichern|Suchen in:");
    // Loading over changes asks first.
    trigger(QStringLiteral("OpenFile"));
    EXPECT_EQ(box, "&Ja|&Nein");
    EXPECT_EQ(load, "&Öffnen|Abbrechen|Datei&name:|Dateien des Typs:|Suchen in:");

    // The close question; No keeps the window.
    box.clear();
    MessageBox::setTestDriver([&](QMessageBox &shown) {
        box = buttons(shown);
        QTest::mouseClick(shown.button(QMessageBox::No), Qt::LeftButton);
    });
    click(QStringLiteral("btnCancel"));
    EXPECT_EQ(box, "&Ja|&Nein");
    EXPECT_TRUE(window->IsLoaded());

    // Back in English, Qt's texts are English again.
    ResourceStrings::SetLanguageOffset(ResourceStrings::English);
    trigger(QStringLiteral("SaveFile"));
    EXPECT_EQ(save, "Cancel|File &name:|Files of type:|Look in:|Save");
}

TEST_F(Dialogs, ANameTypedWithoutSuffixIsSavedAsDatFileAndLoadListsItWhereItWasSaved)
{
    start();
    centreWindow();
    const QString folder = path("sets");
    ASSERT_TRUE(QDir().mkpath(folder));
    FileDialog::queueAnswer(folder + QStringLiteral("/first.dat"));
    trigger(QStringLiteral("SaveFile"));

    FileDialog::setTestDriver([&](QFileDialog &dialog) {
        EXPECT_EQ(QDir(dialog.directory()).absolutePath(), folder) << "the folder used last";
        expectCentredOnWindow(dialog);
        auto *name = dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QTest::keyClicks(name, QStringLiteral("set1"));
        QTest::keyClick(name, Qt::Key_Return);
    });
    trigger(QStringLiteral("SaveFile"));
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/set1.dat")));
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/set1")));

    QStringList listed;
    FileDialog::setTestDriver([&](QFileDialog &dialog) {
        auto *view = dialog.findChild<QListView *>(QStringLiteral("listView"));
        // The folder is read in the background.
        QTest::qWaitFor([view] { return view->model()->rowCount(view->rootIndex()) >= 2; }, 5000);
        for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
            listed << view->model()->index(row, 0, view->rootIndex()).data().toString();
    });
    trigger(QStringLiteral("OpenFile"));
    listed.sort();
    EXPECT_EQ(listed, (QStringList{QStringLiteral("first.dat"), QStringLiteral("set1.dat")}));

    // The next start opens there too: the folder is kept in the settings.
    restart();
    FileDialog::clearTestRecord();
    trigger(QStringLiteral("OpenFile"));
    ASSERT_EQ(FileDialog::requests().size(), 1);
    EXPECT_EQ(FileDialog::requests().first().startFolder, folder);
    EXPECT_EQ(ParameterFolder::Last(), folder);
}

} // namespace
