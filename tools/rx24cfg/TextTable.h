#pragma once

#include <QList>
#include <QStringList>
#include <QTextStream>

// Rows printed in columns as wide as their widest cell, under a heading line.
class TextTable
{
public:
    explicit TextTable(QStringList headings) : m_headings(std::move(headings)) {}
    void add(QStringList row) { m_rows.append(std::move(row)); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    // Every line starts with indent.
    void print(QTextStream &out, const QString &indent = QString()) const;

private:
    QStringList m_headings;
    QList<QStringList> m_rows;
};
