// The end-to-end tests run the whole program in this process, browser engine
// included, whose options must be set before the application object exists.
#include "platform/Platform.h"
#include "service/WebEngineSetup.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    // In a Wayland session the program's windows go through XWayland, as the program's do.
    if (!platform::prepareSession())
        return 1;
    webengine::prepare();
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
