#include "platform/services/KeyFilter.h"

#include <gtest/gtest.h>

TEST(KeyFilterTest, EachModeLetsThroughItsKeysAndControlKeysAlwaysPass)
{
    using KF = KeyFilter;
    struct Case
    {
        int mode;
        const char *accepted;
        const char *refused;
    };
    const Case cases[] = {
        {KF::KA_Numbers, "0123456789", "-.,a +\xE4"},
        {KF::KA_NumbersNeg, "09-", ".,e"},
        {KF::KA_NumbersFloat, "09.,", "-e"},
        {KF::KA_NumbersFloatNeg, "09.,-", "e"},
        {KF::KA_All, "x\xE4-", ""},
        {5, "x", ""}, // unknown modes filter nothing
        {-1, "x", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.mode);
        for (const char *k = c.accepted; *k; ++k)
            EXPECT_EQ(KF::filter(static_cast<unsigned char>(*k), c.mode), static_cast<unsigned char>(*k))
                << *k;
        for (const char *k = c.refused; *k; ++k)
            EXPECT_EQ(KF::filter(static_cast<unsigned char>(*k), c.mode), 0) << *k;
        for (const int control : {8, 13, 22, 127}) // backspace, enter, paste, delete
            EXPECT_EQ(KF::filter(control, c.mode), control);
    }
}
