// gtest_discover_tests runs this binary at build time, outside the tests'
// environment: choose the offscreen platform here when nothing else is set.
#include "resources/Skin.hpp"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    quoddle::ApplySkin(application);
    return RUN_ALL_TESTS();
}
