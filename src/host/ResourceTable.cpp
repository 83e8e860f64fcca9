#include "host/ResourceTable.h"

#include <QFile>
#include <algorithm>

ResourceTable ResourceTable::fromText(const QString &tableText)
{
    ResourceTable table;
    int previousId = -1;
    const QStringList lines = tableText.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        table.addLine(line, i + 1, previousId);
    }
    return table;
}

void ResourceTable::addLine(const QString &line, int lineNo, int &previousId)
{
    if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
        return;
    const qsizetype tab = line.indexOf(QLatin1Char('\t'));
    if (tab <= 0) {
        m_malformedLines.append(lineNo);
        return;
    }
    bool ok = false;
    const int id = line.left(tab).trimmed().toInt(&ok);
    if (!ok) {
        m_malformedLines.append(lineNo);
        return;
    }
    if (m_texts.contains(id)) {
        m_duplicateIds.append(id);
        return;
    }
    if (id <= previousId)
        m_unorderedIds.append(id);
    previousId = std::max(previousId, id);
    m_texts.insert(id, line.mid(tab + 1));
}

const ResourceTable &ResourceTable::builtIn()
{
    static const ResourceTable table = [] {
        QFile file(QStringLiteral(":/texts/strings.tsv"));
        if (!file.open(QIODevice::ReadOnly))
            return ResourceTable();
        return fromText(QString::fromUtf8(file.readAll()));
    }();
    return table;
}

QList<int> ResourceTable::ids() const
{
    QList<int> result = m_texts.keys();
    std::sort(result.begin(), result.end());
    return result;
}
