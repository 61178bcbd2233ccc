// Installs Keldoran's fatal-signal handler, then dies the way its argument says: "segv" (a null pointer
// write), "abort", or "overflow" (unbounded recursion). For the diagnostics tests.
#include "app/fatal_signal_handler.h"

#include <cstdlib>
#include <cstring>
#include <QCoreApplication>

using namespace keldoran;

namespace {

// Deep enough to overflow any stack; the frames are kept so the compiler cannot turn it into a loop.
int recurse(int depth) {
    volatile char frame[512];
    frame[0] = char(depth);
    if (depth > 1'000'000'000) {
        return frame[0];
    }
    return recurse(depth + 1) + frame[0];
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        return 2;
    }
    QCoreApplication application(argc, argv);
    FatalSignalHandler::install(QString::fromLocal8Bit(argv[1]), QStringLiteral("9.9.9 (42)"));
    if (std::strcmp(argv[2], "abort") == 0) {
        std::abort();
    }
    if (std::strcmp(argv[2], "overflow") == 0) {
        return recurse(0);
    }
    volatile int* nowhere = nullptr;
    *nowhere = 1;
    return 0;
}
