#pragma once

#include "FuzzFailure.h"

#include <QApplication>
#include <QByteArrayView>
#include <QSqlDatabase>
#include <cstddef>
#include <cstdint>

// What every libFuzzer target shares: an application on the offscreen
// platform (the parameters' widgets need one, and the fuzzers run without a
// display), and each input handed to the target's property check, a broken
// property stopping the run like a crash.
class FuzzTarget
{
public:
    using Check = void (*)(QByteArrayView input);

    static void startApplication()
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // Qt Sql's list of connections must outlive the application, whose
        // clean-up at the end of the run closes them; statics go in the
        // reverse order of their making.
        QSqlDatabase::connectionNames();
        static int argc = 1;
        static char name[] = "fuzz";
        static char *argv[] = {name, nullptr};
        static QApplication app(argc, argv);
    }

    static int run(Check check, const uint8_t *data, size_t size)
    {
        try {
            check(QByteArrayView(data, static_cast<qsizetype>(size)));
        } catch (const FuzzFailure &failure) {
            qFatal("%s", failure.what());
        }
        return 0;
    }
};

// The two entry points libFuzzer looks for, for one property check.
#define RX24_FUZZ_TARGET(check)                                                                              \
    extern "C" int LLVMFuzzerInitialize(int *, char ***)                                                     \
    {                                                                                                        \
        FuzzTarget::startApplication();                                                                      \
        return 0;                                                                                            \
    }                                                                                                        \
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)                                  \
    {                                                                                                        \
        return FuzzTarget::run(check, data, size);                                                           \
    }
