#pragma once

#include "template/ParamEnums.h"

#include <QString>

// Numbers as a text-box parameter shows them: the step of each resolution,
// rounding a corrected value to that step, the display pattern ("0", "0.0",
// "0.00", "0.000") and the shortest form used in messages. Every rounding
// here takes halves to the even neighbour, judged on the decimal value the
// user sees rather than on its binary approximation.
class DisplayFormat
{
public:
    // The step a resolution stands for (50, 1, 0.5, ... 0.001).
    static double step(eResolution resolution);
    // The resolution whose step is exactly `step` (compared as single), or false.
    static bool resolutionOfStep(float step, eResolution &resolution);
    // Digits after the decimal point of the display pattern.
    static int decimals(eResolution resolution);

    // Rounds to `decimals` places, halves to even.
    static double roundHalfEven(double value, int decimals = 0);
    // Rounds a corrected value to the step of the resolution.
    static double roundToStep(double value, eResolution resolution);

    // The whole step of the resolution nearest to a range limit on the
    // inside of the range: the largest not above a maximum, the smallest not
    // below a minimum. A limit that is itself a step (within the precision of
    // a single) is its own answer.
    static double stepAtOrBelow(double max, eResolution resolution);
    static double stepAtOrAbove(double min, eResolution resolution);

    // The value in the display pattern of the resolution, without leading
    // blanks; a value that rounds to zero never shows a minus sign.
    static QString format(double value, eResolution resolution);
    // The shortest decimal text that reads back as the same single value.
    static QString shortest(float value);
};
