#pragma once

#include <QList>
#include <QString>

// An NV row as the network database stores it, its allowed types parsed.
struct NetDbNvRow
{
    qint64 id = 0;
    QString name;
    int typeId = 0;
    QList<int> allowed;
    QString value;
};
