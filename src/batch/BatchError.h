#pragma once

#include <QString>
#include <stdexcept>

// A batch command cannot go on: the text names the file, device or value and
// says why, in the user's language.
class BatchError : public std::runtime_error
{
public:
    explicit BatchError(const QString &text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString &text() const { return m_text; }

private:
    QString m_text;
};
