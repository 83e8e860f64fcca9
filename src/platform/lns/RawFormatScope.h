#pragma once

#include "platform/AppError.h"
#include "platform/lns/LnsConfigProperty.h"

// Puts a direct CP into the "RAW" value format for the span of one access and
// restores the format it had afterwards, also when the access fails.
class RawFormatScope
{
public:
    explicit RawFormatScope(LnsConfigProperty &cp) : m_cp(cp), m_format(cp.valueFormat())
    {
        m_cp.setValueFormat(QStringLiteral("RAW"));
    }
    ~RawFormatScope()
    {
        try {
            m_cp.setValueFormat(m_format);
        } catch (const AppError &) {
            // The CP is gone or unusable; its format no longer matters.
        }
    }
    RawFormatScope(const RawFormatScope &) = delete;
    RawFormatScope &operator=(const RawFormatScope &) = delete;

private:
    LnsConfigProperty &m_cp;
    QString m_format;
};
