#include "presentation/translations.h"
#include "test_setup.h"

#include <gtest/gtest.h>
#include <QApplication>

using namespace keldoran;

// Widgets render offscreen (prepareTestProcess): a rendering is the same on every machine.
int main(int argc, char** argv) {
    prepareTestProcess();
    QApplication application(argc, argv);
    const InstalledTranslations english(QLocale(QLocale::English));
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return endTestProcess(RUN_ALL_TESTS());
}
