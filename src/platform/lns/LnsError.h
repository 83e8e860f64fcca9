#pragma once

#include "platform/AppError.h"

// An error reported by the object server. Numbers follow the object server's
// own numbering (see LnsErrorCode); the source is always "LNS".
class LnsError : public AppError
{
public:
    LnsError(long number, const QString &description, DatabaseFault fault = {})
        : AppError(number, QStringLiteral("LNS"), description, std::move(fault))
    {
    }
};

// Error numbers the object server reports.
namespace LnsErrorCode {
constexpr long NotFound = 4001;          // no such item in a collection
constexpr long NotConnected = 4002;      // object server not connected
constexpr long DatabaseUnusable = 4003;  // database file missing, corrupt or of a newer schema
constexpr long Busy = 4004;              // another client holds the network's transaction
constexpr long NoTransaction = 4005;     // commit or cancel without a transaction
constexpr long TransactionOpen = 4006;   // start while one is already open
constexpr long InvalidValue = 4007;      // a value text that does not fit the property
constexpr long TypeNotAllowed = 4008;    // an NV type outside the NV's allowed types
constexpr long DeviceUnreachable = 4009; // the device did not answer
constexpr long RemoteUnsupported = 4010; // connect modes 1 and 2 need a server database
constexpr long InvalidArgument = 4011;   // a call's argument is out of its range
constexpr long Database = 4012;          // any other failure of the database
} // namespace LnsErrorCode
