#pragma once

#include "platform/lns/LnsConfigProperty.h"

#include <QList>
#include <QStringList>

// A CP whose value texts are given, element by element, as an LNS client
// could hand them over. What is written to it is kept.
class FuzzConfigProperty : public LnsConfigProperty
{
public:
    FuzzConfigProperty(int elementLength, QStringList elementTexts)
        : m_elementLength(elementLength), m_texts(std::move(elementTexts))
    {
    }

    std::shared_ptr<LnsObject> parent() const override { return {}; }
    QString name() const override { return QStringLiteral("nciFuzz"); }
    int elementLength() const override { return m_elementLength; }
    int dimension() const override { return static_cast<int>(m_texts.size()); }
    QString valueFormat() const override { return m_format; }
    void setValueFormat(const QString &format) override { m_format = format; }
    QString value() const override { return m_texts.join(QLatin1Char('\t')); }
    void setValue(const QString &text) override { written.append(text); }
    QString elementValue(int k) const override { return m_texts.value(k); }
    void setElementValue(int, const QString &text) override { written.append(text); }

    QStringList written;

private:
    int m_elementLength;
    QStringList m_texts;
    QString m_format = QStringLiteral("RAW_HEX");
};
