#pragma once

#include "platform/lns/LnsConfigProperty.h"

#include <QList>
#include <functional>

class cConfigProp;

// Reads and writes one numeric field inside a CP element: the bytes from
// BytePos (1 = first; 0 = the whole element) for ByteLength bytes, big-endian,
// of which only the first UsedBytes carry the value (0 = all). A direct CP is
// reached in the "RAW" value format, which is restored afterwards; an external
// CP through its byte buffer. Signed fields are two's complement of the field
// width.
struct RawField
{
    int bytePos = 0;
    int byteLength = 0;
    int usedBytes = 0;
    bool isSigned = false;
};

namespace RawFieldAccess {
qint64 read(const LnsRef<LnsConfigProperty> &cp, const RawField &field);
void write(const LnsRef<LnsConfigProperty> &cp, const RawField &field, qint64 value);
qint64 read(cConfigProp &cp, const RawField &field);
void write(cConfigProp &cp, const RawField &field, qint64 value);
// The pure byte arithmetic, shared by both.
qint64 decode(const QList<quint8> &bytes, const RawField &field);
void encode(QList<quint8> &bytes, const RawField &field, qint64 value);

// The bytes a field lies in, for parameters that are no number: a direct CP's
// first element, an external CP's whole buffer.
using ElementChange = std::function<void(QList<quint8> &element)>;
QList<quint8> element(const LnsRef<LnsConfigProperty> &cp);
QList<quint8> element(cConfigProp &cp);
// Reads those bytes, lets change edit them and writes them back; a direct
// CP's other elements keep their bytes. A direct CP that refuses the value
// keeps its old one and the refusal is raised to the caller. replacesWhole: change sets every byte, so a CP
// of one element is not read first.
void changeElement(const LnsRef<LnsConfigProperty> &cp, const ElementChange &change,
                   bool replacesWhole = false);
void changeElement(cConfigProp &cp, const ElementChange &change);
} // namespace RawFieldAccess
