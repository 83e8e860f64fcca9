#include "platform/services/MessageBox.h"

#include <QDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>
#include <QStandardPaths>
#include <QTextStream>
#include <QTimer>

namespace {
struct TestState
{
    bool forced = false;
    QList<MessageBox::Button> answers;
    QList<MessageBox::Shown> shown;
    std::function<void(QMessageBox &)> driver;
};

TestState &state()
{
    static TestState s;
    return s;
}

// The boxes and dialogs waiting for an answer, innermost last.
struct OpenDialog
{
    QPointer<QDialog> dialog;
    QString title;
    QString text;
};
struct StopState
{
    bool stopping = false;
    QList<OpenDialog> open;
};

StopState &stopState()
{
    static StopState s;
    return s;
}

// Runs a dialog as one of the open ones.
int execOpen(QDialog &dialog, const QString &title, const QString &text)
{
    QList<OpenDialog> &open = stopState().open;
    open.append(OpenDialog{&dialog, title, text});
    const int result = dialog.exec();
    open.removeIf([&dialog](const OpenDialog &entry) { return entry.dialog == &dialog || !entry.dialog; });
    return result;
}

void tellStandardError(const QString &title, const QString &text)
{
    QTextStream(stderr) << title << ": " << QString(text).replace(QLatin1Char('\n'), QLatin1Char(' '))
                        << Qt::endl;
}

QPointer<QWidget> &parentWindow()
{
    static QPointer<QWidget> parent;
    return parent;
}

QMessageBox::StandardButton toStandard(MessageBox::Button button)
{
    switch (button) {
    case MessageBox::Button::OK:
        return QMessageBox::Ok;
    case MessageBox::Button::Cancel:
        return QMessageBox::Cancel;
    case MessageBox::Button::Abort:
        return QMessageBox::Abort;
    case MessageBox::Button::Retry:
        return QMessageBox::Retry;
    case MessageBox::Button::Ignore:
        return QMessageBox::Ignore;
    case MessageBox::Button::Yes:
        return QMessageBox::Yes;
    case MessageBox::Button::No:
        return QMessageBox::No;
    case MessageBox::Button::None:
        break;
    }
    return QMessageBox::NoButton;
}

MessageBox::Button fromStandard(int button)
{
    switch (button) {
    case QMessageBox::Ok:
        return MessageBox::Button::OK;
    case QMessageBox::Cancel:
        return MessageBox::Button::Cancel;
    case QMessageBox::Abort:
        return MessageBox::Button::Abort;
    case QMessageBox::Retry:
        return MessageBox::Button::Retry;
    case QMessageBox::Ignore:
        return MessageBox::Button::Ignore;
    case QMessageBox::Yes:
        return MessageBox::Button::Yes;
    case QMessageBox::No:
        return MessageBox::Button::No;
    default:
        return MessageBox::Button::None;
    }
}

// A platform without a screen (offscreen, minimal) has no user who could
// answer a box: a program started there by a director must not hang on one.
bool nobodyCanAnswer()
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return true;
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

QMessageBox::Icon toQtIcon(MessageBox::Icon icon)
{
    switch (icon) {
    case MessageBox::Icon::Critical:
        return QMessageBox::Critical;
    case MessageBox::Icon::Exclamation:
        return QMessageBox::Warning;
    case MessageBox::Icon::Information:
        return QMessageBox::Information;
    case MessageBox::Icon::Question:
        return QMessageBox::Question;
    case MessageBox::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

QList<MessageBox::Button> MessageBox::buttonsOf(Buttons buttons)
{
    switch (buttons) {
    case Buttons::OK:
        return {Button::OK};
    case Buttons::OKCancel:
        return {Button::OK, Button::Cancel};
    case Buttons::AbortRetryIgnore:
        return {Button::Abort, Button::Retry, Button::Ignore};
    case Buttons::YesNoCancel:
        return {Button::Yes, Button::No, Button::Cancel};
    case Buttons::YesNo:
        return {Button::Yes, Button::No};
    case Buttons::RetryCancel:
        return {Button::Retry, Button::Cancel};
    }
    return {Button::OK};
}

MessageBox::Button MessageBox::show(const QString &text, const QString &title, Icon icon, Buttons buttons,
                                    Button defaultButton)
{
    const QList<Button> offered = buttonsOf(buttons);
    if (!offered.contains(defaultButton))
        defaultButton = offered.first();

    // A copy: a driver may replace itself while it runs.
    const std::function<void(QMessageBox &)> driver = state().driver;
    if (testMode() && !driver) {
        TestState &s = state();
        const Button answer = s.answers.isEmpty() ? defaultButton : s.answers.takeFirst();
        s.shown.append(Shown{text, title, icon, buttons, defaultButton, answer});
        return answer;
    }

    if ((nobodyCanAnswer() && !driver) || stopping()) {
        tellStandardError(title, text);
        return defaultButton;
    }

    QMessageBox box(toQtIcon(icon), title, text, QMessageBox::NoButton, parentWindow());
    box.setObjectName(QStringLiteral("MessageBox"));
    for (const Button b : offered)
        box.addButton(toStandard(b));
    box.setDefaultButton(toStandard(defaultButton));
    box.setEscapeButton(toStandard(offered.contains(Button::Cancel) ? Button::Cancel : defaultButton));
    if (driver) {
        QTimer::singleShot(0, &box, [&box, &driver] {
            driver(box);
            if (box.isVisible())
                box.reject();
        });
    }
    execOpen(box, title, text);
    Button answer = fromStandard(box.standardButton(box.clickedButton()));
    if (answer == Button::None)
        answer = defaultButton;
    if (testMode())
        state().shown.append(Shown{text, title, icon, buttons, defaultButton, answer});
    return answer;
}

void MessageBox::showDialog(QDialog &dialog, const QString &text)
{
    if (testMode()) {
        state().shown.append(
            Shown{text, dialog.windowTitle(), Icon::Information, Buttons::OK, Button::OK, Button::OK});
        return;
    }
    if (nobodyCanAnswer() || stopping()) {
        QTextStream(stdout) << dialog.windowTitle() << Qt::endl << text << Qt::endl;
        return;
    }
    execOpen(dialog, dialog.windowTitle(), text);
}

void MessageBox::closeAllForStop()
{
    StopState &s = stopState();
    s.stopping = true;
    // Innermost first: each closed box returns to the code that showed it.
    for (qsizetype i = s.open.size() - 1; i >= 0; --i) {
        const OpenDialog entry = s.open.at(i);
        if (!entry.dialog)
            continue;
        tellStandardError(entry.title, entry.text);
        entry.dialog->done(QDialog::Rejected);
    }
}

bool MessageBox::stopping()
{
    return stopState().stopping;
}

int MessageBox::openCount()
{
    int count = 0;
    for (const OpenDialog &entry : std::as_const(stopState().open))
        count += entry.dialog ? 1 : 0;
    return count;
}

void MessageBox::clearStop()
{
    stopState().stopping = false;
}

void MessageBox::setParentWindow(QWidget *parent)
{
    parentWindow() = parent;
}

void MessageBox::setTestMode(bool on)
{
    state().forced = on;
}

bool MessageBox::testMode()
{
    return state().forced || QStandardPaths::isTestModeEnabled();
}

void MessageBox::queueAnswer(Button answer)
{
    state().answers.append(answer);
}

QList<MessageBox::Shown> MessageBox::shownBoxes()
{
    return state().shown;
}

MessageBox::Shown MessageBox::lastShown()
{
    return state().shown.isEmpty() ? Shown{} : state().shown.last();
}

void MessageBox::clearTestRecord()
{
    state().answers.clear();
    state().shown.clear();
    state().driver = nullptr;
}

void MessageBox::setTestDriver(std::function<void(QMessageBox &)> driver)
{
    state().driver = std::move(driver);
}
