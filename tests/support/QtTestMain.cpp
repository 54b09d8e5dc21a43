// One QApplication for the whole test run: widgets, timers and the clipboard need it.
// Listing the tests (at build time, maybe without a display) needs none.
#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    std::unique_ptr<QApplication> app;
    if (!GTEST_FLAG_GET(list_tests))
        app = std::make_unique<QApplication>(argc, argv);
    return RUN_ALL_TESTS();
}
