// libFuzzer target: arbitrary RAW texts for the RAW parsers (RawTextProperty).
#include "FuzzTarget.h"
#include "properties/RawTextProperty.h"

RX24_FUZZ_TARGET(RawTextProperty::check)
