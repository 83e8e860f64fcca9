// libFuzzer target: arbitrary bytes as a device interface file, stored in a network database
// (DeviceInterfaceProperty).
#include "FuzzTarget.h"
#include "properties/DeviceInterfaceProperty.h"

RX24_FUZZ_TARGET(DeviceInterfaceProperty::check)
