#include "presentation/translations.h"
#include "test_setup.h"

#include <gtest/gtest.h>
#include <QCoreApplication>

using namespace keldoran;

// Every test runs with a Qt event loop.
int main(int argc, char** argv) {
    prepareTestProcess();
    QCoreApplication application(argc, argv);
    const InstalledTranslations english(QLocale(QLocale::English));
    ::testing::InitGoogleTest(&argc, argv);
    return endTestProcess(RUN_ALL_TESTS());
}
