// The one test main: a QApplication exists for every suite, so widgets, fonts, timers and the
// audio sink all work; suites that need none of them simply do not use it.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
