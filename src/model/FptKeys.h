#pragma once

// The functions a channel object performs, by the value of its FptIndex CP.
namespace FptKeys {
constexpr int AnalogInput = 520;
constexpr int AnalogOutput = 521;
constexpr int Lighting = 21400;
constexpr int Sunblind = 22400;
constexpr int Hvac = 23400;
constexpr int Switch = 21201;
constexpr int Unused = 65535;

constexpr bool isKnown(int key)
{
    return key == AnalogInput || key == AnalogOutput || key == Lighting || key == Sunblind || key == Hvac ||
           key == Switch;
}
} // namespace FptKeys
