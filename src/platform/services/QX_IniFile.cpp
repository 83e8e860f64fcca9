#include "platform/services/QX_IniFile.h"

#include "platform/services/FileCheckPoint.h"

void QX_IniFile::setPath(const QString &path)
{
    m_path = path;
    m_content.reset();
}

const IniFileContent &QX_IniFile::content() const
{
    const quint64 operation = FileCheckPoint::current();
    if (m_content && m_comparedIn == operation)
        return *m_content;
    const IniFileContent::Stamp stamp = IniFileContent::stampOf(m_path);
    if (!m_content || stamp != m_stamp || !stamp.settled) {
        m_content = IniFileContent::of(m_path, stamp);
        m_stamp = stamp;
    }
    m_comparedIn = operation;
    return *m_content;
}

QString QX_IniFile::value(const QString &section, const QString &key) const
{
    return content().value(section, key);
}

bool QX_IniFile::hasKey(const QString &section, const QString &key) const
{
    return content().hasKey(section, key);
}

QString QX_IniFile::problem() const
{
    return content().problem();
}

QString QX_IniFile::read(const QString &section, const QString &key, int item) const
{
    return content().item(section, key, item);
}
