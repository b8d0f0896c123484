// Test entry of the reliability suite: the application object runs on Qt's offscreen platform, and the
// standard classes are registered so that designs can be placed, pasted, saved and loaded.
#include "core/ClassRegistry.h"
#include "ui/Application.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Application->Initialize();
    RegisterStreamableClasses();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
