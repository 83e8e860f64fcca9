#include "params/RawFieldAccess.h"

#include "params/cConfigProp.h"
#include "platform/AppError.h"
#include "platform/lns/RawFormatScope.h"
#include "platform/services/TextUtility.h"

namespace {
// Bytes of the field within the element, before UsedBytes is applied.
int fieldWidth(const QList<quint8> &element, const RawField &field)
{
    return field.bytePos == 0 ? static_cast<int>(element.size()) : field.byteLength;
}

int valueWidth(int fieldBytes, const RawField &field)
{
    return (field.usedBytes > 0 && field.usedBytes < fieldBytes) ? field.usedBytes : fieldBytes;
}
} // namespace

qint64 RawFieldAccess::decode(const QList<quint8> &bytes, const RawField &field)
{
    QList<quint8> taken;
    if (field.bytePos == 0) {
        taken = bytes;
    } else {
        for (int k = field.bytePos; k < field.bytePos + field.byteLength && k <= bytes.size(); ++k)
            taken.append(bytes.at(k - 1));
    }
    const int n = qMin(valueWidth(static_cast<int>(taken.size()), field), 8);
    if (n <= 0)
        return 0;
    quint64 number = 0;
    for (int i = 0; i < n; ++i)
        number = (number << 8) | taken.at(i);
    if (field.isSigned && n < 8 && number >= (quint64(1) << (8 * n - 1)))
        return static_cast<qint64>(number) - (qint64(1) << (8 * n));
    return static_cast<qint64>(number);
}

void RawFieldAccess::encode(QList<quint8> &bytes, const RawField &field, qint64 value)
{
    const int n = fieldWidth(bytes, field);
    const int m = qMin(valueWidth(n, field), 8);
    // Two's complement of the value width; a negative value in an unsigned
    // field keeps its low bytes likewise.
    const quint64 raw = static_cast<quint64>(value);
    QList<quint8> fieldBytes(n, 0);
    for (int i = 0; i < m; ++i)
        fieldBytes[i] = static_cast<quint8>(raw >> (8 * (m - 1 - i)));
    if (field.bytePos == 0) {
        bytes = fieldBytes;
        return;
    }
    for (int j = 0; j < n; ++j) {
        const int index = field.bytePos - 1 + j;
        if (index >= 0 && index < bytes.size())
            bytes[index] = fieldBytes.at(j);
    }
}

qint64 RawFieldAccess::read(const LnsRef<LnsConfigProperty> &cp, const RawField &field)
{
    return cp ? decode(element(cp), field) : 0;
}

void RawFieldAccess::write(const LnsRef<LnsConfigProperty> &cp, const RawField &field, qint64 value)
{
    changeElement(
        cp, [&](QList<quint8> &bytes) { encode(bytes, field, value); }, field.bytePos == 0);
}

qint64 RawFieldAccess::read(cConfigProp &cp, const RawField &field)
{
    return cp.ByteLength() > 0 ? decode(element(cp), field) : 0;
}

void RawFieldAccess::write(cConfigProp &cp, const RawField &field, qint64 value)
{
    changeElement(cp, [&](QList<quint8> &bytes) { encode(bytes, field, value); });
}

QList<quint8> RawFieldAccess::element(const LnsRef<LnsConfigProperty> &cp)
{
    RawFormatScope raw(*cp);
    return TextUtility::ParseRaw(cp->value()).mid(0, cp->elementLength());
}

QList<quint8> RawFieldAccess::element(cConfigProp &cp)
{
    QList<quint8> bytes;
    const int length = cp.ByteLength();
    for (int i = 1; i <= length; ++i)
        bytes.append(cp.ByteValue(i));
    return bytes;
}

void RawFieldAccess::changeElement(const LnsRef<LnsConfigProperty> &cp, const ElementChange &change,
                                   bool replacesWhole)
{
    if (!cp)
        return;
    RawFormatScope raw(*cp);
    const int elementLength = cp->elementLength();
    QList<quint8> all;
    if (replacesWhole && cp->dimension() == 1)
        all = QList<quint8>(elementLength, 0);
    else
        all = TextUtility::ParseRaw(cp->value());
    if (all.size() < elementLength)
        all.resize(elementLength, 0);
    QList<quint8> element = all.mid(0, elementLength);
    change(element);
    for (int i = 0; i < elementLength; ++i)
        all[i] = element.at(i);
    cp->setValue(TextUtility::FormatRaw(all));
}

void RawFieldAccess::changeElement(cConfigProp &cp, const ElementChange &change)
{
    if (cp.ByteLength() <= 0)
        return;
    QList<quint8> bytes = element(cp);
    change(bytes);
    for (int i = 0; i < bytes.size(); ++i)
        cp.setByteValue(i + 1, bytes.at(i));
}
