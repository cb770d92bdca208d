// The main of every window test: one Qt application for the whole run.
#include "runtime/app.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    rt::App::init(argc, argv);
    return RUN_ALL_TESTS();
}
