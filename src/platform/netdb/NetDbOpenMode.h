#pragma once

// How a client opens the network database file.
enum class NetDbOpenMode {
    Existing, // read and write a database that exists; nothing is created
    Create,   // as Existing, but a missing or empty file becomes a new database
    ReadOnly, // read a database that exists; every write is refused
};
