#pragma once

// Filters the keys typed into a numeric text box. Key codes are character
// codes; control keys (backspace, tab, enter, the clipboard shortcuts, ...)
// always pass so that editing keeps working.
class KeyFilter
{
public:
    // The same numbers as the keys-allowed setting of a text-box parameter.
    enum Mode {
        KA_Numbers = 0,         // digits
        KA_NumbersNeg = 1,      // digits and "-"
        KA_NumbersFloat = 2,    // digits and a decimal separator ("." or ",")
        KA_NumbersFloatNeg = 3, // digits, "-" and a decimal separator
        KA_All = 4,             // everything
    };

    // The key when the mode accepts it, else 0. Modes outside 0..3 filter nothing.
    static int filter(int key, int mode);
};
