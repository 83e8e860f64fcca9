// libFuzzer target: arbitrary bytes as a parameter file (ParameterFileProperty).
#include "FuzzTarget.h"
#include "properties/ParameterFileProperty.h"

RX24_FUZZ_TARGET(ParameterFileProperty::check)
