// Test entry of the suites that design forms (the runtime designer, the inspector, the random sessions):
// the application object runs on Qt's offscreen platform, and every streamable class is registered so
// that form streams (resources, files, clipboard text) can name them.
#include "core/ClassRegistry.h"
#include "private_config.h"
#include "ui/Application.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const TPrivateConfig config;
    Application->Initialize();
    RegisterStreamableClasses();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
