#include "params/cParamASCII.h"

#include "params/Windows1252.h"
#include "params/cConfigProp.h"
#include "platform/AppError.h"
#include "platform/services/TextUtility.h"
#include "template/ParamEnums.h"

namespace {
const QString RawFormat = QStringLiteral("RAW");

QList<quint8> externalElement(cConfigProp &cp)
{
    QList<quint8> bytes;
    const int length = cp.ByteLength();
    for (int i = 1; i <= length; ++i)
        bytes.append(cp.ByteValue(i));
    return bytes;
}
} // namespace

int cParamASCII::ClassId() const
{
    return PA_CLASSID_ASCII_PARAMETER;
}

void cParamASCII::setValue(const QString &value)
{
    m_value = value;
    setChanged(true);
}

void cParamASCII::ConsiderPartOfCpOnly(int bytePos, int byteLength)
{
    checkAndSetPosition(bytePos, byteLength);
    m_byteLength = byteLength;
}

QString cParamASCII::FileValueText() const
{
    return m_value + QLatin1Char(',');
}

bool cParamASCII::SetValueFromFileText(const QString &text)
{
    if (text.isEmpty())
        return false;
    // The file keeps a comma behind the text, which keeps its trailing blanks.
    QString value = text.endsWith(QLatin1Char(',')) ? text.left(text.size() - 1) : text;
    // The file's code page shows the bytes 0x80 to 0x9F as the euro sign,
    // quotes and the like; in the field they are bytes again.
    for (QChar &c : value) {
        const int byte = Windows1252::byteOf(c.unicode());
        if (byte < 0)
            return false;
        c = QChar(char16_t(byte));
    }
    if (m_byteLength > 0 && value.size() > m_byteLength)
        return false;
    setValue(value);
    return true;
}

QString cParamASCII::textOf(const QList<quint8> &element) const
{
    QList<quint8> field;
    if (BytePos() == 0)
        field = element;
    else
        field = element.mid(BytePos() - 1, m_byteLength);
    return TextUtility::RawToText(TextUtility::FormatRaw(field));
}

void cParamASCII::putText(QList<quint8> &element) const
{
    const int n = BytePos() == 0 ? static_cast<int>(element.size()) : m_byteLength;
    const QList<quint8> bytes = TextUtility::ParseRaw(TextUtility::TextToRaw(m_value, n));
    const int start = BytePos() == 0 ? 0 : BytePos() - 1;
    for (int j = 0; j < bytes.size(); ++j) {
        if (start + j >= 0 && start + j < element.size())
            element[start + j] = bytes.at(j);
    }
}

void cParamASCII::readDirect(const LnsRef<LnsConfigProperty> &cp)
{
    const QString previous = cp->valueFormat();
    cp->setValueFormat(RawFormat);
    QList<quint8> element;
    try {
        element = TextUtility::ParseRaw(cp->value()).mid(0, cp->elementLength());
    } catch (...) {
        cp->setValueFormat(previous);
        throw;
    }
    cp->setValueFormat(previous);
    setValue(textOf(element));
}

void cParamASCII::writeDirect(const LnsRef<LnsConfigProperty> &cp)
{
    try {
        const QString previous = cp->valueFormat();
        cp->setValueFormat(RawFormat);
        try {
            QList<quint8> all = TextUtility::ParseRaw(cp->value());
            const int elementLength = cp->elementLength();
            if (all.size() < elementLength)
                all.resize(elementLength, 0);
            QList<quint8> element = all.mid(0, elementLength);
            putText(element);
            for (int i = 0; i < element.size(); ++i)
                all[i] = element.at(i);
            cp->setValue(TextUtility::FormatRaw(all));
        } catch (const AppError &) {
        }
        cp->setValueFormat(previous);
    } catch (const AppError &) {
        // LNS errors while writing leave the CP as it was.
    }
}

void cParamASCII::readExternal(cConfigProp &cp)
{
    if (cp.ByteLength() <= 0)
        return;
    setValue(textOf(externalElement(cp)));
}

void cParamASCII::writeExternal(cConfigProp &cp)
{
    if (cp.ByteLength() <= 0)
        return;
    QList<quint8> element = externalElement(cp);
    putText(element);
    for (int i = 0; i < element.size(); ++i)
        cp.setByteValue(i + 1, element.at(i));
}
