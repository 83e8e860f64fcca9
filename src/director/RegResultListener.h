#pragma once

#include <QObject>

// The object through which lnsdb, as a director, learns the result of a
// registration: the plug-in sets its property "RegResult" (int16, -1 success,
// 0 failure) of the interface "veltoTarvinaRX24.RegResult".
class RegResultListener : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "veltoTarvinaRX24.RegResult")
    Q_PROPERTY(short RegResult READ regResult WRITE setRegResult)
public:
    using QObject::QObject;

    short regResult() const { return m_result; }
    void setRegResult(short result);
    bool hasResult() const { return m_received; }

    static QString ObjectPath() { return QStringLiteral("/RegResult"); }

Q_SIGNALS:
    void resultReceived(short result);

private:
    short m_result = 0;
    bool m_received = false;
};
