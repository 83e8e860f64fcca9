#include "properties/ConfigurationSetProperty.h"

#include "FuzzFailure.h"
#include "properties/ConfigurationSetRoundTrip.h"

void ConfigurationSetProperty::check(QByteArrayView input)
{
    // One network database for the whole run: opening a device costs far
    // less than building one.
    static ConfigurationSetRoundTrip roundTrip(QStringLiteral(RX24_SOURCE_DIR));
    const QString verdict = roundTrip.check(input.toByteArray());
    if (!verdict.isEmpty())
        throw FuzzFailure(verdict.toStdString());
}
