#include "platform/services/FileDialog.h"

#include <QFileDialog>
#include <QPointer>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QTimer>

namespace {
struct TestState
{
    bool forced = false;
    QStringList answers;
    QList<FileDialog::Request> requests;
    std::function<void(QFileDialog &)> driver;
};

TestState &state()
{
    static TestState s;
    return s;
}

QPointer<QWidget> &parentWindow()
{
    static QPointer<QWidget> parent;
    return parent;
}

QString runDialog(FileDialog::Kind kind, const QString &title, const QString &filter,
                  const QString &startFolder, const std::function<void(QFileDialog &)> &driver)
{
    QFileDialog dialog(parentWindow(), title, startFolder, FileDialog::qtFilter(filter));
    dialog.setObjectName(QStringLiteral("FileDialog"));
    if (kind == FileDialog::Kind::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(FileDialog::defaultSuffix(filter));
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (driver) {
        QTimer::singleShot(0, &dialog, [&dialog, &driver] {
            driver(dialog);
            if (dialog.isVisible())
                dialog.reject();
        });
    }
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

QString ask(FileDialog::Kind kind, const QString &title, const QString &filter, const QString &startFolder)
{
    // A copy: a driver may replace itself while it runs.
    const std::function<void(QFileDialog &)> driver = state().driver;
    if (FileDialog::testMode()) {
        TestState &s = state();
        s.requests.append(FileDialog::Request{kind, title, filter, startFolder});
        if (!driver)
            return s.answers.isEmpty() ? QString() : s.answers.takeFirst();
    }
    return runDialog(kind, title, filter, startFolder, driver);
}
} // namespace

QString FileDialog::getOpenFileName(const QString &title, const QString &filter, const QString &startFolder)
{
    return ask(Kind::Open, title, filter, startFolder);
}

QString FileDialog::getSaveFileName(const QString &title, const QString &filter, const QString &startFolder)
{
    return ask(Kind::Save, title, filter, startFolder);
}

void FileDialog::setParentWindow(QWidget *parent)
{
    parentWindow() = parent;
}

QString FileDialog::qtFilter(const QString &filter)
{
    if (!filter.contains(QLatin1Char('|')))
        return filter;
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts.at(i).trimmed();
        QString patterns = parts.at(i + 1).trimmed();
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        if (description.contains(QLatin1Char('(')))
            entries.append(description);
        else
            entries.append(description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return entries.join(QStringLiteral(";;"));
}

QString FileDialog::defaultSuffix(const QString &filter)
{
    // The first "*.suffix" of the first entry, in either form of filter.
    const QString first = qtFilter(filter).section(QStringLiteral(";;"), 0, 0);
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    const QRegularExpressionMatch match = pattern.match(first);
    return match.hasMatch() ? match.captured(1) : QString();
}

void FileDialog::setTestMode(bool on)
{
    state().forced = on;
}

bool FileDialog::testMode()
{
    return state().forced || QStandardPaths::isTestModeEnabled();
}

void FileDialog::queueAnswer(const QString &path)
{
    state().answers.append(path);
}

QList<FileDialog::Request> FileDialog::requests()
{
    return state().requests;
}

void FileDialog::clearTestRecord()
{
    state().answers.clear();
    state().requests.clear();
    state().driver = nullptr;
}

void FileDialog::setTestDriver(std::function<void(QFileDialog &)> driver)
{
    state().driver = std::move(driver);
}
