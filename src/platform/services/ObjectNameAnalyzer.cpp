#include "platform/services/ObjectNameAnalyzer.h"

#include <QStringList>

ObjectNameParts ObjectNameAnalyzer::analyze(const QString &objectName)
{
    QString name = objectName.trimmed();
    if (name.size() >= 2 && name.startsWith(QLatin1Char('"')) && name.endsWith(QLatin1Char('"')))
        name = name.mid(1, name.size() - 2);

    QStringList levels;
    QString current;
    QChar firstSeparator;
    auto endLevel = [&]() {
        const QString level = current.trimmed();
        if (!level.isEmpty())
            levels.append(level);
        current.clear();
    };
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\')) {
            if (levels.size() == 0 && !current.trimmed().isEmpty() && firstSeparator.isNull())
                firstSeparator = c;
            endLevel();
        } else {
            current += c;
        }
    }
    endLevel();

    ObjectNameParts parts;
    if (levels.isEmpty())
        return parts;
    parts.networkName = levels.at(0);
    parts.networkPart = parts.networkName;
    if (!firstSeparator.isNull())
        parts.networkPart += firstSeparator;
    if (levels.size() > 1) {
        // Blanks around the dots belong to no name.
        QStringList names = levels.at(1).split(QLatin1Char('.'), Qt::SkipEmptyParts);
        for (QString &n : names)
            n = n.trimmed();
        names.removeAll(QString());
        parts.systemPart = names.join(QLatin1Char('.'));
        if (names.size() > 1)
            parts.subsystemName = names.last();
    }
    if (levels.size() > 2)
        parts.deviceName = levels.at(2);
    if (levels.size() > 3)
        parts.remainder = levels.mid(3).join(QLatin1Char('/'));
    return parts;
}
