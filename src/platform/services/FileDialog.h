#pragma once

#include <QList>
#include <QString>
#include <functional>

class QFileDialog;
class QWidget;

// The one way the program asks the user for a file to open or save.
//
// Outside tests the dialog is a QFileDialog over the program's window
// (centred on it). A name saved without a suffix gets the one of the first
// filter, so the file is listed again when that filter loads it.
//
// In test mode (QStandardPaths test mode, or switched on with setTestMode)
// no dialog opens: each request is recorded and answered with the next
// queued path, or with an empty path (cancelled) when none is queued.
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
    // The suffix of the first filter's first pattern ("dat" for "*.dat");
    // empty when that pattern names none ("*.*", "*").
    static QString defaultSuffix(const QString &filter);

    // Test seam.
    static void setTestMode(bool on);
    static bool testMode();
    static void queueAnswer(const QString &path);
    static QList<Request> requests();
    static void clearTestRecord(); // forgets requests, queued paths and the driver
    // With a driver, the real dialog opens (also in test mode) and the
    // driver works it, with QTest, once it is shown; every request is still
    // recorded. A dialog the driver leaves open is cancelled.
    static void setTestDriver(std::function<void(QFileDialog &)> driver);
};
