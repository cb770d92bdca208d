// The main of every window test: one Qt application for the whole run. Listing the tests
// (as CTest does at build time to give each case a test of its own) needs no application,
// and so no display.
#include "runtime/app.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!GTEST_FLAG_GET(list_tests)) rt::App::init(argc, argv);
    return RUN_ALL_TESTS();
}
