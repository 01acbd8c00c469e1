// One QApplication for every window test, on the offscreen platform unless
// another was chosen, with a settings store of the tests' own: a window
// made without a settings file must not read or write the user's.
#include <cstdlib>

#include <gtest/gtest.h>

#include <QApplication>

#include "temp_dir.h"

int main(int argc, char** argv) {
    const marlinet::testing::TempDir config;
    ::setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
