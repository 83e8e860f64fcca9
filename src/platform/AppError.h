#pragma once

#include "platform/DatabaseFault.h"

#include <QString>
#include <stdexcept>

// A run-time error as the plug-in's procedures raise and catch it: a number,
// the source that raised it and a description. The error handler of a
// procedure catches it at its boundary and hands it to the logger.
class AppError : public std::runtime_error
{
public:
    AppError(long number, QString source, QString description, DatabaseFault fault = {})
        : std::runtime_error(description.toStdString()), m_number(number), m_source(std::move(source)),
          m_description(std::move(description)), m_fault(std::move(fault))
    {
    }

    long number() const { return m_number; }
    const QString &source() const { return m_source; }
    const QString &description() const { return m_description; }
    // Set when the network database is the cause (kind None otherwise).
    const DatabaseFault &fault() const { return m_fault; }

private:
    long m_number;
    QString m_source;
    QString m_description;
    DatabaseFault m_fault;
};
