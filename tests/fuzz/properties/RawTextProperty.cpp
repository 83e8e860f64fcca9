#include "properties/RawTextProperty.h"

#include "FuzzConfigProperty.h"
#include "FuzzFailure.h"
#include "params/cConfigProp.h"
#include "params/cParam1Byte.h"
#include "params/cParam2Byte.h"
#include "params/cParamASCII.h"
#include "params/cParamTextBox.h"
#include "params/cParams.h"
#include "platform/AppError.h"
#include "platform/services/TextUtility.h"

#include <QLineEdit>
#include <span>

namespace {
void checkTextUtility(const QString &text)
{
    const QList<quint8> all = TextUtility::ParseRaw(text);
    quint8 buffer[16] = {};
    const int stored = TextUtility::ParseRaw(text, std::span<quint8>(buffer, 16));
    FUZZ_CHECK(stored == qMin<qsizetype>(all.size(), 16));
    for (int i = 0; i < stored; ++i)
        FUZZ_CHECK(buffer[i] == all.at(i));
    FUZZ_CHECK(TextUtility::ParseRaw(TextUtility::FormatRaw(all)) == all);

    const quint64 number = TextUtility::RawToNumber(text, 8);
    FUZZ_CHECK(TextUtility::RawToNumber(TextUtility::NumberToRaw(number, 8), 8) == number);
    const QString chars = TextUtility::RawToText(text);
    FUZZ_CHECK(chars.size() <= all.size());
    FUZZ_CHECK(TextUtility::RawToText(TextUtility::TextToRaw(chars, static_cast<int>(chars.size()))) ==
               chars);
    TextUtility::NumberValue(text);
}

void checkConfigProp(int elementLength, const QStringList &elements, quint8 positions)
{
    auto fake = std::make_shared<FuzzConfigProperty>(elementLength, elements);
    cParams params;
    cConfigProp *configProp = params.AddConfigProp(QStringLiteral("Fuzz"), fake, QStringLiteral("Fuzz"));
    const int byteLength = elementLength * static_cast<int>(elements.size());
    const int position = 1 + (positions & 0x0F) % byteLength;

    cParam1Byte *oneByte = params.Add1ByteParameterExtCp(QStringLiteral("One"), configProp);
    oneByte->ConsiderPartOfCpOnly(position);
    oneByte->setSignedValue(positions & 0x10);
    cParam2Byte *twoByte = params.Add2ByteParameterExtCp(QStringLiteral("Two"), configProp);
    twoByte->ConsiderPartOfCpOnly(position);
    cParamASCII *ascii = params.AddAsciiParameterExtCp(QStringLiteral("Text"), configProp);
    ascii->ConsiderPartOfCpOnly(positions & 0x20 ? 0 : position, 1 + (positions >> 6));
    QLineEdit edit;
    cParamTextBox *text = params.AddTextBoxParameterExtCp(QStringLiteral("Box"), &edit, configProp);
    text->setSnvtType(SNVT_temp_p);
    text->ConsiderPartOfCpOnly(position, 2);
    text->setLockMode(LM_UNLOCKED);

    try {
        params.ReadFromLns();
    } catch (const AppError &) {
        // A field past the end of the CP is refused with an error, as it should be.
    }
    QList<quint8> bytes;
    for (int i = 1; i <= byteLength; ++i)
        bytes.append(configProp->ByteValue(i));

    fake->written.clear();
    try {
        params.WriteToLns();
    } catch (const AppError &) {
        return; // a field past the end stops the write before the CP goes out
    }
    // The config property goes out whole, element by element, as RAW text.
    QList<quint8> sent;
    for (const QString &written : std::as_const(fake->written)) {
        const QList<quint8> piece = TextUtility::ParseRaw(written);
        FUZZ_CHECK(TextUtility::FormatRaw(piece) == written);
        sent.append(piece);
    }
    FUZZ_CHECK(sent.size() == byteLength);
}
} // namespace

void RawTextProperty::check(QByteArrayView input)
{
    if (input.size() < 2)
        return;
    const QString text = QString::fromLatin1(input.sliced(2));
    checkTextUtility(text);

    const int elementLength = 1 + static_cast<quint8>(input.at(0)) % 16;
    QStringList elements = text.split(QLatin1Char('|'));
    while (elements.size() > 4)
        elements.removeLast();
    checkConfigProp(elementLength, elements, static_cast<quint8>(input.at(1)));
}
