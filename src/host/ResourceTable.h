#pragma once

#include <QHash>
#include <QList>
#include <QString>

// The numbered text table as it is stored: one line per id, "<id>\t<text>",
// lines starting with "#" are comments. A text keeps its raw form here, with
// its "¦" item separators and "¶" line-break marks; ResourceStrings picks the
// items and the language.
class ResourceTable
{
public:
    ResourceTable() = default;

    // Parses the table text. Malformed lines (no tab, an id that is not a
    // number) are skipped and remembered; a repeated id keeps its first text.
    static ResourceTable fromText(const QString &tableText);

    // The table compiled into the program (":/texts/strings.tsv"), parsed on
    // first use.
    static const ResourceTable &builtIn();

    bool contains(int id) const { return m_texts.contains(id); }
    // Raw text of the id; empty when the id is missing.
    QString text(int id) const { return m_texts.value(id); }
    // All ids, ascending.
    QList<int> ids() const;
    int count() const { return static_cast<int>(m_texts.size()); }

    // Ids that appeared on more than one line, in the order they were met.
    const QList<int> &duplicateIds() const { return m_duplicateIds; }
    // 1-based line numbers of lines that could not be read.
    const QList<int> &malformedLines() const { return m_malformedLines; }
    // Ids whose lines were out of ascending order.
    const QList<int> &unorderedIds() const { return m_unorderedIds; }

private:
    void addLine(const QString &line, int lineNo, int &previousId);

    QHash<int, QString> m_texts;
    QList<int> m_duplicateIds;
    QList<int> m_malformedLines;
    QList<int> m_unorderedIds;
};
