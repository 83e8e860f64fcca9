#pragma once

#include <QtGlobal>

// The object a director hands over to learn the outcome of a registration in
// an LNS project (command 50). The value is a 16-bit boolean: -1 success, 0 failure.
class RegResultReceiver
{
public:
    virtual ~RegResultReceiver() = default;
    virtual void setRegResult(qint16 result) = 0;
};
