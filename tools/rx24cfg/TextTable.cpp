#include "TextTable.h"

void TextTable::print(QTextStream &out, const QString &indent) const
{
    QList<qsizetype> widths;
    for (const QString &heading : m_headings)
        widths.append(heading.size());
    for (const QStringList &row : m_rows) {
        for (qsizetype c = 0; c < row.size() && c < widths.size(); ++c)
            widths[c] = qMax(widths.at(c), row.at(c).size());
    }
    auto line = [&](const QStringList &cells) {
        QString text = indent;
        for (qsizetype c = 0; c < cells.size() && c < widths.size(); ++c) {
            if (c + 1 < cells.size())
                text += cells.at(c).leftJustified(widths.at(c)) + QStringLiteral("  ");
            else
                text += cells.at(c);
        }
        out << text << '\n';
    };
    line(m_headings);
    QStringList rules;
    for (qsizetype width : widths)
        rules.append(QString(width, QLatin1Char('-')));
    line(rules);
    for (const QStringList &row : m_rows)
        line(row);
}
