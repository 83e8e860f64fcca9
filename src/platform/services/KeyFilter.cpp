#include "platform/services/KeyFilter.h"

int KeyFilter::filter(int key, int mode)
{
    if (mode < KA_Numbers || mode > KA_NumbersFloatNeg)
        return key;
    if (key < 32 || key == 127)
        return key;
    if (key >= '0' && key <= '9')
        return key;
    const bool negative = mode == KA_NumbersNeg || mode == KA_NumbersFloatNeg;
    const bool decimal = mode == KA_NumbersFloat || mode == KA_NumbersFloatNeg;
    if (negative && key == '-')
        return key;
    if (decimal && (key == '.' || key == ','))
        return key;
    return 0;
}
