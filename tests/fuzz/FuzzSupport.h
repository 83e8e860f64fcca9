#pragma once

#include "platform/lns/LnsConfigProperty.h"

#include <QApplication>
#include <QList>
#include <QStringList>
#include <cstdlib>

// The widgets of the parameters need an application; the fuzzers run without
// a display.
inline void startOffscreenApplication()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QApplication app(argc, argv);
}

// Stops the run with a message the fuzzer reports as a crash.
#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            qFatal("check failed: %s (%s:%d)", #condition, __FILE__, __LINE__);                              \
        }                                                                                                    \
    } while (false)

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
