#include "platform/services/FileDialog.h"

#include <QFileDialog>
#include <QPointer>
#include <QStandardPaths>
#include <QStringList>

namespace {
struct TestState
{
    bool forced = false;
    QStringList answers;
    QList<FileDialog::Request> requests;
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

QString ask(FileDialog::Kind kind, const QString &title, const QString &filter, const QString &startFolder)
{
    if (FileDialog::testMode()) {
        TestState &s = state();
        s.requests.append(FileDialog::Request{kind, title, filter, startFolder});
        return s.answers.isEmpty() ? QString() : s.answers.takeFirst();
    }
    const QString qtFilter = FileDialog::qtFilter(filter);
    if (kind == FileDialog::Kind::Open)
        return QFileDialog::getOpenFileName(parentWindow(), title, startFolder, qtFilter);
    return QFileDialog::getSaveFileName(parentWindow(), title, startFolder, qtFilter);
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
}
