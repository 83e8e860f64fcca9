#pragma once

#include <QString>
#include <QStringList>

// Why the network database cannot serve, apart from the English description
// of the error that carries it, so that a message can say it in the user's
// language. The kinds are numbered as the items of their text.
struct DatabaseFault
{
    enum Kind {
        None = 0,
        Locked,
        ReadOnly,
        NotADatabase,
        Damaged,
        DiskFull,
        CannotOpen,
        IoError,
        NoFileName,
        NotAFile,
        Missing,
        WriteProtected,
        FolderReadOnly, // arguments: the folder
        Empty,
        NoSchemaVersion,
        NewerSchema, // arguments: the file's version, the program's
        SchemaVersionMissing,
        Other,
        FolderNotCreated,
        Busy,
        NoServer,             // no server address in the settings
        NotAServerAddress,    // arguments: the text given
        ServerRefused,        // arguments: host
        ServerNotFound,       // arguments: host
        AuthenticationFailed, // arguments: host, user
        TlsRequired,
        TlsFailed, // arguments: host
        NoAnswer,  // arguments: host, seconds
    };

    Kind kind = None;
    QString path;          // the database file, or the server address without password
    QStringList arguments; // what the kind's text names
    QString detail;        // the database engine's own words, as it gives them
};
