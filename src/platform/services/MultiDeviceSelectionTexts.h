#pragma once

#include <QString>
#include <functional>

// What the device selection window says. The platform cannot reach the
// program's text table, so the caller fills this from it; the defaults are
// the English texts. fromItems takes the texts in the order of the fields.
struct MultiDeviceSelectionTexts
{
    QString title = QStringLiteral("Copy parameters to devices");
    QString searching = QStringLiteral("Searching the project ...");
    QString searchDone = QStringLiteral("%1 devices found."); // %1 the number found
    QString searchCancelled = QStringLiteral("Search cancelled; %1 devices found.");
    QString cancelSearch = QStringLiteral("Cancel search");
    QString filter = QStringLiteral("Filter by name:");
    QString selectAll = QStringLiteral("Select all");
    QString selectNone = QStringLiteral("Select none");
    QString columnDevice = QStringLiteral("Device");
    QString columnSubsystem = QStringLiteral("Subsystem");
    QString columnReachable = QStringLiteral("Reachable");
    QString yes = QStringLiteral("yes");
    QString no = QStringLiteral("no");
    QString ok = QStringLiteral("OK");
    QString cancel = QStringLiteral("Cancel");

    // item(n) gives the n-th text (from 1, in the order above); an empty
    // one keeps the default.
    static MultiDeviceSelectionTexts fromItems(const std::function<QString(int)> &item)
    {
        MultiDeviceSelectionTexts texts;
        QString *fields[] = {&texts.title,
                             &texts.searching,
                             &texts.searchDone,
                             &texts.searchCancelled,
                             &texts.cancelSearch,
                             &texts.filter,
                             &texts.selectAll,
                             &texts.selectNone,
                             &texts.columnDevice,
                             &texts.columnSubsystem,
                             &texts.columnReachable,
                             &texts.yes,
                             &texts.no,
                             &texts.ok,
                             &texts.cancel};
        int n = 0;
        for (QString *field : fields) {
            const QString text = item(++n);
            if (!text.isEmpty())
                *field = text;
        }
        return texts;
    }
};
