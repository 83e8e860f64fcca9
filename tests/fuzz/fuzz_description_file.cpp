// libFuzzer target: arbitrary bytes as the plug-in description file tarvinaRX24.ini
// (DescriptionFileProperty).
#include "FuzzTarget.h"
#include "properties/DescriptionFileProperty.h"

RX24_FUZZ_TARGET(DescriptionFileProperty::check)
