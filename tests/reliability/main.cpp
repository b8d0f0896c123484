// Test entry of the reliability suite: the application object runs on Qt's offscreen platform, and the
// standard classes are registered so that designs can be placed, pasted, saved and loaded.
#include "components/StandardComponents.h"
#include "ui/Application.h"
#include "widgets/GridAndListControls.h"
#include "widgets/StandardControls.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Application->Initialize();
    RegisterStandardControls();
    RegisterGridAndListControls();
    RegisterStandardComponents();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
