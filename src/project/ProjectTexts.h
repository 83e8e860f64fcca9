#pragma once

#include <QString>
#include <QStringList>

// The project window's texts from the text table, in the user's language.
class ProjectTexts
{
public:
    enum Caption {
        WindowTitle = 1,
        TreeHeading,
        FilterHint,
        NameColumn,
        SubsystemColumn,
        ProgramIdColumn,
        ReachableColumn,
        ModulesColumn,
        LastWrittenColumn,
        ConformanceColumn,
        PreviewTitle, // %1 file
        SummaryTitle, // %1 file
        CompareTitle, // %1, %2
        HistoryTitle, // %1 device
        ShownCount,   // %1 shown, %2 devices
        Reference,    // %1 file
        EmptyProject,
        Applying, // %1 file
        Checking, // %1 file
        FileMenu,
        DeviceMenu,
        NetworkMenu,
        HelpMenu,
        WriteButton,
        CloseButton,
        ChangesColumn,
        CancelButton,
    };
    enum Action {
        OpenConfiguration = 1,
        ApplyFile,
        Export,
        Compare,
        History,
        Register,
        ChooseReference,
        CreateDemo,
        Reload,
        Quit,
        About,
    };
    enum Message {
        ChooseOneDevice = 1,
        ChooseCompared,
        ChooseNetwork,
        StartFailed,      // %1 device, %2 why
        Registered,       // %1 network
        NotRegistered,    // %1 network, %2 why
        Exported,         // %1 device, %2 file
        DatabaseUnusable, // %1 location, %2 why
        DemoFailed,       // %1 why
        SameConfiguration,
        RestoreWritten,    // %1 number, %2 device
        RestoreNotWritten, // %1 device, %2 why
        NoRx24Chosen,
        HistoryEmpty,  // %1 device
        OtherServer,   // %1 project's server, %2 the plug-in's
        ActionFailed,  // %1 why
        PreviewCounts, // %1 would change of %2, %3 cannot be written
    };
    enum Word {
        Yes = 1,
        No,
        Rx24,
        OtherKind,
        WrittenBy, // %1 when, %2 who
        Pending,
        EmptySlot,
    };

    static QString caption(Caption caption, const QStringList &values = {});
    static QString action(Action action);
    static QString message(Message message, const QStringList &values = {});
    static QString word(Word word, const QStringList &values = {});
    static QString help();
};
