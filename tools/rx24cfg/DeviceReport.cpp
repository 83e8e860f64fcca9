#include "DeviceReport.h"

#include <QJsonDocument>

namespace {
// Object names of a project are rarely longer; a longer one pushes its row.
constexpr qsizetype DeviceColumn = 44;
constexpr qsizetype OtherColumns = 12;
} // namespace

DeviceReport::DeviceReport(QTextStream &out, bool json, QStringList headings)
    : m_out(out), m_json(json), m_headings(std::move(headings))
{
    for (qsizetype c = 0; c < m_headings.size(); ++c)
        m_widths.append(qMax(m_headings.at(c).size(), c == 0 ? DeviceColumn : OtherColumns));
}

void DeviceReport::start()
{
    if (m_started)
        return;
    m_started = true;
    if (m_json) {
        m_out << "{\n    \"devices\": [";
        return;
    }
    QString heading;
    QString rule;
    for (qsizetype c = 0; c < m_headings.size(); ++c) {
        const bool last = c + 1 == m_headings.size();
        heading +=
            last ? m_headings.at(c) : m_headings.at(c).leftJustified(m_widths.at(c)) + QStringLiteral("  ");
        rule += QString(last ? m_headings.at(c).size() : m_widths.at(c), QLatin1Char('-')) +
                (last ? QString() : QStringLiteral("  "));
    }
    m_out << heading << '\n' << rule << '\n';
}

void DeviceReport::add(const QStringList &cells, const QJsonObject &entry)
{
    start();
    if (m_json) {
        m_out << (m_empty ? "\n        " : ",\n        ")
              << QString::fromUtf8(QJsonDocument(entry).toJson(QJsonDocument::Compact));
    } else {
        QString line;
        for (qsizetype c = 0; c < cells.size(); ++c) {
            const bool last = c + 1 == cells.size() || c + 1 >= m_widths.size();
            line += last ? cells.at(c) : cells.at(c).leftJustified(m_widths.at(c)) + QStringLiteral("  ");
            if (last)
                break;
        }
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        m_out << line << '\n';
    }
    m_empty = false;
    m_out.flush();
}

void DeviceReport::finish(const QJsonObject &members)
{
    start();
    if (!m_json)
        return;
    // The other members as the document would indent them, after the devices.
    QString rest = QString::fromUtf8(QJsonDocument(members).toJson(QJsonDocument::Indented));
    rest = rest.mid(rest.indexOf(QLatin1Char('\n')) + 1);
    rest.chop(rest.size() - rest.lastIndexOf(QLatin1Char('}')));
    m_out << (m_empty ? "]" : "\n    ]") << (members.isEmpty() ? "\n" : ",\n") << rest << "}\n";
    m_out.flush();
}
