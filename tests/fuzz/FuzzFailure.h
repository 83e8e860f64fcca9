#pragma once

#include <stdexcept>
#include <string>

// A property of a reader that an input broke. The fuzz targets turn it into a
// crash report; the regression test into a test failure naming the input.
class FuzzFailure : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition))                                                                                    \
            throw FuzzFailure(std::string("check failed: ") + #condition + " (" + __FILE__ + ":" +           \
                              std::to_string(__LINE__) + ")");                                               \
    } while (false)
