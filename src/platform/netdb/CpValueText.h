#pragma once

#include <QList>
#include <QString>

// The text forms of a configuration property's bytes: "RAW" (decimal bytes,
// one tab between) and "RAW_HEX" (two upper-case hex digits per byte, one
// blank between).
class CpValueText
{
public:
    static const QString Raw;
    static const QString RawHex;

    static bool isKnownFormat(const QString &format);
    static QString format(const QList<int> &bytes, const QString &valueFormat);
    // Parses exactly expectedCount bytes; any other shape raises InvalidValue.
    static QList<int> parse(const QString &text, const QString &valueFormat, int expectedCount);

    // How the database keeps the bytes: decimal numbers separated by commas.
    static QString toStored(const QList<int> &bytes);
    static QList<int> fromStored(const QString &stored);
};
