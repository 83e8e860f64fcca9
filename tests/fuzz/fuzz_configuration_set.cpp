// libFuzzer target: arbitrary bytes as a parameter file put on a device's
// model and written (ConfigurationSetProperty).
#include "FuzzTarget.h"
#include "properties/ConfigurationSetProperty.h"

RX24_FUZZ_TARGET(ConfigurationSetProperty::check)
