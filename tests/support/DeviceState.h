#pragma once

#include "platform/lns/LnsAppDevice.h"

#include <QStringList>
#include <algorithm>
#include <ostream>
#include <string>

// QString in test failures as text, not as 16-bit units.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// A device as another client of the network database sees it, for tests
// that must prove a write reached everything, or nothing.
namespace DeviceState {

inline QList<int> bytesOf(const LnsRef<LnsConfigProperty> &cp)
{
    const QString format = cp->valueFormat();
    cp->setValueFormat(QStringLiteral("RAW"));
    QList<int> bytes;
    for (const QString &piece : cp->value().split(QLatin1Char('\t')))
        bytes.append(piece.toInt());
    cp->setValueFormat(format);
    return bytes;
}

inline void setBytes(const LnsRef<LnsConfigProperty> &cp, const QList<int> &bytes)
{
    QStringList pieces;
    for (int b : bytes)
        pieces << QString::number(b);
    const QString format = cp->valueFormat();
    cp->setValueFormat(QStringLiteral("RAW"));
    cp->setValue(pieces.join(QLatin1Char('\t')));
    cp->setValueFormat(format);
}

// CP bytes and NV types of the device and every LonMark object, one line
// each so that a difference names its CP; with names, the objects' names too.
inline QStringList of(const LnsRef<LnsAppDevice> &device, bool withNames = false, bool withNvTypes = true)
{
    const auto line = [](const QString &where, const QList<int> &values) {
        QStringList numbers;
        for (int v : values)
            numbers << QString::number(v);
        return where + QStringLiteral(": ") + numbers.join(QLatin1Char(' '));
    };
    QStringList state;
    const auto deviceCps = device->configProperties();
    for (int c = 1; c <= deviceCps->count(); ++c)
        state.append(line(deviceCps->item(c)->name(), bytesOf(deviceCps->item(c))));
    const auto objects = device->lonMarkObjects();
    for (int i = 1; i <= objects->count(); ++i) {
        const QString object = QStringLiteral("object %1 ").arg(i);
        if (withNames)
            state.append(object + QStringLiteral("name: ") + objects->item(i)->name());
        const auto cps = objects->item(i)->configProperties();
        for (int c = 1; c <= cps->count(); ++c)
            state.append(line(object + cps->item(c)->name(), bytesOf(cps->item(c))));
        const auto nvs = objects->item(i)->networkVariables();
        for (int n = 1; withNvTypes && n <= nvs->count(); ++n)
            state.append(line(object + nvs->item(n)->name(), {nvs->item(n)->typeId()}));
    }
    return state;
}

// The lines where two states differ, for a readable failure.
inline std::string difference(const QStringList &expected, const QStringList &actual)
{
    QStringList lines;
    for (qsizetype i = 0; i < std::max(expected.size(), actual.size()); ++i) {
        const QString e = expected.value(i), a = actual.value(i);
        if (e != a)
            lines << QStringLiteral("expected \"%1\", found \"%2\"").arg(e, a);
    }
    return lines.join(QLatin1Char('\n')).toStdString();
}

} // namespace DeviceState
