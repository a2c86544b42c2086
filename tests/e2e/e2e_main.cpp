// The real-window test runner: a QApplication on the X server named by
// VISTREL_E2E_DISPLAY (Xvfb with a window manager, started by the test
// command). Without one every test skips.
#include "app/application.h"

#include <gtest/gtest.h>

#include <memory>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const QByteArray display = qgetenv("VISTREL_E2E_DISPLAY");
    std::unique_ptr<TApplication> application;
    if (!display.isEmpty()) {
        qputenv("DISPLAY", display);
        qputenv("QT_QPA_PLATFORM", "xcb");
        application = std::make_unique<TApplication>(argc, argv);
    }
    return RUN_ALL_TESTS();
}
