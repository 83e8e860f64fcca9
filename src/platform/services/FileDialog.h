#pragma once

#include <QList>
#include <QString>

class QWidget;

// The one way the program asks the user for a file to open or save.
//
// Outside tests the dialog is a QFileDialog. In test mode (QStandardPaths
// test mode, or switched on with setTestMode) no dialog opens: each request is
// recorded and answered with the next queued path, or with an empty path
// (cancelled) when none is queued.
//
// Filters may be given as Qt writes them ("Parameter files (*.dat)") or in
// the classic form of description and pattern pairs separated by "|"
// ("Parameter files|*.dat|All files|*.*").
class FileDialog
{
public:
    enum class Kind { Open, Save };

    struct Request
    {
        Kind kind = Kind::Open;
        QString title;
        QString filter;
        QString startFolder;
    };

    // The chosen path, or an empty text when the user cancelled.
    static QString getOpenFileName(const QString &title, const QString &filter, const QString &startFolder);
    static QString getSaveFileName(const QString &title, const QString &filter, const QString &startFolder);

    static void setParentWindow(QWidget *parent);
    // A filter in the form QFileDialog takes.
    static QString qtFilter(const QString &filter);

    // Test seam.
    static void setTestMode(bool on);
    static bool testMode();
    static void queueAnswer(const QString &path);
    static QList<Request> requests();
    static void clearTestRecord();
};
