#include "params/cParamASCII.h"

#include "params/FileNumber.h"
#include "params/RawFieldAccess.h"
#include "params/Windows1252.h"
#include "params/cConfigProp.h"
#include "platform/AppError.h"
#include "platform/services/TextUtility.h"
#include "template/ParamEnums.h"

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

namespace {
// The file keeps a comma behind the text, which keeps its trailing blanks.
// The file's code page shows the bytes 0x80 to 0x9F as the euro sign, quotes
// and the like; in the field they are bytes again. Nothing when a character
// has no byte.
std::optional<QString> fieldTextOf(const QString &text)
{
    QString value = text.endsWith(QLatin1Char(',')) ? text.left(text.size() - 1) : text;
    for (QChar &c : value) {
        const int byte = Windows1252::byteOf(c.unicode());
        if (byte < 0)
            return std::nullopt;
        c = QChar(char16_t(byte));
    }
    return value;
}
} // namespace

int cParamASCII::fieldLength() const
{
    if (BytePos() != 0)
        return m_byteLength;
    try {
        if (CpIsExternal())
            return ConfigPropExt()->ByteLength();
        if (ConfigProperty())
            return ConfigProperty()->elementLength();
    } catch (const AppError &) {
    }
    return 0;
}

QString cParamASCII::FileTextProblem(const QString &text) const
{
    const std::optional<QString> value = fieldTextOf(text);
    if (!value)
        return FileNumber::problemText(FileNumber::Problem::CharacterNotHeld);
    const int length = fieldLength();
    if (length > 0 && value->size() > length)
        return FileNumber::problemText(FileNumber::Problem::TooLong, {QString::number(length)});
    return QString();
}

void cParamASCII::SetValueFromFileText(const QString &text)
{
    if (const std::optional<QString> value = fieldTextOf(text))
        setValue(*value);
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
    setValue(textOf(RawFieldAccess::element(cp)));
}

void cParamASCII::writeDirect(const LnsRef<LnsConfigProperty> &cp)
{
    RawFieldAccess::changeElement(cp, [this](QList<quint8> &element) { putText(element); });
}

void cParamASCII::readExternal(cConfigProp &cp)
{
    // A config property without bytes leaves the text as it was.
    if (cp.ByteLength() > 0)
        setValue(textOf(RawFieldAccess::element(cp)));
}

void cParamASCII::writeExternal(cConfigProp &cp)
{
    RawFieldAccess::changeElement(cp, [this](QList<quint8> &element) { putText(element); });
}
