#pragma once

#include <QList>
#include <QString>
#include <functional>

class QDialog;
class QMessageBox;
class QWidget;

// The one way the program asks the user through a message box.
//
// Outside tests the box is a QMessageBox. In test mode (QStandardPaths test
// mode, or switched on with setTestMode) no dialog opens: each box is recorded
// and answered with the next queued answer, or with its default button when
// none is queued.
//
// On a platform without a screen (Qt's offscreen or minimal platform, or a
// program without a GUI application object) nobody could answer a box: its
// title and text go to standard error and it is answered with its default
// button, so that a plug-in started there by a director never hangs. The
// program's own dialogs pass through here for the same reasons.
class MessageBox
{
public:
    enum class Icon { None, Critical, Exclamation, Information, Question };
    enum class Buttons { OK, OKCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
    // The numbers of the classic message-box answers.
    enum class Button { None = 0, OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

    struct Shown
    {
        QString text;
        QString title;
        Icon icon = Icon::None;
        Buttons buttons = Buttons::OK;
        Button defaultButton = Button::None;
        Button answer = Button::None;
    };

    // Shows the box and returns the button chosen. defaultButton None means
    // the first button of the set; closing the box counts as Cancel where the
    // set has one, else as its default.
    static Button show(const QString &text, const QString &title, Icon icon = Icon::None,
                       Buttons buttons = Buttons::OK, Button defaultButton = Button::None);

    // Shows one of the program's own modal dialogs (the About dialog) under
    // the rules of a box: in test mode it is recorded with its window title
    // and text and not opened; without a screen its title and text go to
    // standard output. text: what the dialog says, for those two cases.
    static void showDialog(QDialog &dialog, const QString &text);

    // A stop from outside (SIGTERM, Ctrl+C): the boxes and dialogs open now
    // close as if the user closed them, their text going to standard error,
    // and later ones are not shown but answered as without a screen.
    static void closeAllForStop();
    static bool stopping();
    // Boxes and dialogs waiting for an answer now.
    static int openCount();
    // Boxes are shown again (tests, a new start in one process).
    static void clearStop();

    // The window the boxes belong to (may be null).
    static void setParentWindow(QWidget *parent);

    // The buttons of a set, in the order they are shown.
    static QList<Button> buttonsOf(Buttons buttons);

    // Test seam.
    static void setTestMode(bool on);
    static bool testMode();
    static void queueAnswer(Button answer);
    static QList<Shown> shownBoxes();
    static Shown lastShown();      // empty when none was shown
    static void clearTestRecord(); // forgets shown boxes, queued answers and the driver
    // With a driver, the real box opens (also in test mode and without a
    // screen) and the driver answers it, with QTest, once it is shown. A box
    // the driver leaves open is closed as by Escape.
    static void setTestDriver(std::function<void(QMessageBox &)> driver);
};
