#pragma once

#include <QJsonObject>
#include <QList>
#include <QStringList>
#include <QTextStream>

// The report of a command over many devices, written as the work goes: a
// table whose rows follow each device (the first column wide enough for the
// usual object names), or with --json one document whose "devices" are
// written one by one. A run over thousands of devices holds none of them.
class DeviceReport
{
public:
    DeviceReport(QTextStream &out, bool json, QStringList headings);
    // One device: its cells for the table, its entry for the document.
    void add(const QStringList &cells, const QJsonObject &entry);
    // The document's other members and its end; the table has nothing more.
    void finish(const QJsonObject &members);

private:
    void start();

    QTextStream &m_out;
    bool m_json;
    QStringList m_headings;
    QList<qsizetype> m_widths;
    bool m_started = false;
    bool m_empty = true;
};
