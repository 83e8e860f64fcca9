// Arbitrary bytes as a parameter file put on a device's model, as the
// window's Load and Apply put it, against a real network database.
//
// Checked: a refused file changes nothing; a file that loads gives a set
// that fails the check (nothing written) or is written and reads back as
// it was taken. The device gets its factory set back after each input.
#include "ConfigurationSetRoundTrip.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    static ConfigurationSetRoundTrip roundTrip(QStringLiteral(RX24_SOURCE_DIR));
    const QString verdict =
        roundTrip.check(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    if (!verdict.isEmpty()) {
        std::fprintf(stderr, "configuration set: %s\n", qPrintable(verdict));
        std::abort();
    }
    return 0;
}
