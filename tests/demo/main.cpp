// Test entry for the demo host: the application object runs on Qt's offscreen platform with the classes
// the demo registers at start-up.
#include "../../demo/test.h"

#include "../private_config.h"
#include "ui/Application.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const TPrivateConfig config;
    Application->Initialize();
    RegisterDemoClasses();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
