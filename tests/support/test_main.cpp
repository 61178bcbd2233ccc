#include <QCoreApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Every test runs with a Qt event loop available to QCoro::waitFor, and with a private runtime folder
// so nothing of the developer's own session is touched.
int main(int argc, char** argv) {
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    }
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
