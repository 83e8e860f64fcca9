// libFuzzer target: arbitrary bytes as the device template RX24.ini (DeviceTemplateProperty).
#include "FuzzTarget.h"
#include "properties/DeviceTemplateProperty.h"

RX24_FUZZ_TARGET(DeviceTemplateProperty::check)
