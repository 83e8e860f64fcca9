#include "params/DisplayFormat.h"

#include <cmath>

namespace {
// A scaled value whose distance from .5 is below this (relative) counts as a
// true decimal half: 21.55 * 10 is 215.50000000000003 in binary.
constexpr double HalfTolerance = 1e-9;

double pow10(int decimals)
{
    double scale = 1.0;
    for (int i = 0; i < decimals; ++i)
        scale *= 10.0;
    return scale;
}

double roundScaledHalfEven(double scaled)
{
    const double lower = std::floor(scaled);
    const double fraction = scaled - lower;
    const double tolerance = HalfTolerance * std::max(1.0, std::fabs(scaled));
    if (std::fabs(fraction - 0.5) <= tolerance)
        return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
    return fraction < 0.5 ? lower : lower + 1.0;
}
} // namespace

double DisplayFormat::step(eResolution resolution)
{
    switch (resolution) {
    case RES_50:
        return 50.0;
    case RES_1:
        return 1.0;
    case RES_0_5:
        return 0.5;
    case RES_0_2:
        return 0.2;
    case RES_0_1:
        return 0.1;
    case RES_0_0_5:
        return 0.05;
    case RES_0_0_2:
        return 0.02;
    case RES_0_0_1:
        return 0.01;
    case RES_0_0_0_5:
        return 0.005;
    case RES_0_0_0_2:
        return 0.002;
    case RES_0_0_0_1:
        return 0.001;
    }
    return 1.0;
}

bool DisplayFormat::resolutionOfStep(float stepValue, eResolution &resolution)
{
    for (int r = RES_50; r <= RES_0_0_0_1; ++r) {
        if (static_cast<float>(step(static_cast<eResolution>(r))) == stepValue) {
            resolution = static_cast<eResolution>(r);
            return true;
        }
    }
    return false;
}

int DisplayFormat::decimals(eResolution resolution)
{
    switch (resolution) {
    case RES_50:
    case RES_1:
        return 0;
    case RES_0_5:
    case RES_0_2:
    case RES_0_1:
        return 1;
    case RES_0_0_5:
    case RES_0_0_2:
    case RES_0_0_1:
        return 2;
    case RES_0_0_0_5:
    case RES_0_0_0_2:
    case RES_0_0_0_1:
        return 3;
    }
    return 0;
}

double DisplayFormat::roundHalfEven(double value, int decimals)
{
    if (!std::isfinite(value))
        return value;
    const double scale = pow10(decimals);
    return roundScaledHalfEven(value * scale) / scale;
}

double DisplayFormat::roundToStep(double value, eResolution resolution)
{
    switch (resolution) {
    case RES_50:
        return roundHalfEven(value / 50.0) * 50.0;
    case RES_1:
        return value; // the pattern "0" shows it whole
    case RES_0_5:
        return roundHalfEven(2.0 * value) / 2.0;
    case RES_0_2:
        return roundHalfEven(5.0 * value) / 5.0;
    case RES_0_1:
        return roundHalfEven(value, 1);
    case RES_0_0_5:
        return roundHalfEven(2.0 * value, 1) / 2.0;
    case RES_0_0_2:
        return roundHalfEven(5.0 * value, 1) / 5.0;
    case RES_0_0_1:
        return roundHalfEven(value, 2);
    case RES_0_0_0_5:
        return roundHalfEven(2.0 * value, 2) / 2.0;
    case RES_0_0_0_2:
        return roundHalfEven(5.0 * value, 2) / 5.0;
    case RES_0_0_0_1:
        return roundHalfEven(value, 3);
    }
    return value;
}

namespace {
// Range limits are singles: 163.83 is stored as 163.830002, 65.535 as
// 65.5350037. A hundredth of a step absorbs that without taking a limit
// that lies a real fraction of a step away for a step.
constexpr double StepTolerance = 0.01;
} // namespace

double DisplayFormat::stepAtOrBelow(double max, eResolution resolution)
{
    const double s = step(resolution);
    return roundHalfEven(std::floor(max / s + StepTolerance) * s, decimals(resolution));
}

double DisplayFormat::stepAtOrAbove(double min, eResolution resolution)
{
    const double s = step(resolution);
    return roundHalfEven(std::ceil(min / s - StepTolerance) * s, decimals(resolution));
}

QString DisplayFormat::format(double value, eResolution resolution)
{
    const int places = decimals(resolution);
    double rounded = roundHalfEven(value, places);
    if (rounded == 0.0)
        rounded = 0.0; // no "-0.00"
    return QString::number(rounded, 'f', places);
}

QString DisplayFormat::shortest(float value)
{
    if (!std::isfinite(value))
        return QString::number(static_cast<double>(value));
    for (int places = 0; places <= 12; ++places) {
        const QString text = QString::number(static_cast<double>(value), 'f', places);
        if (static_cast<float>(text.toDouble()) == value)
            return text == QLatin1String("-0") ? QStringLiteral("0") : text;
    }
    return QString::number(static_cast<double>(value), 'g', 9);
}
