// The desktop host: a pause does not freeze the event loop. (Its message
// boxes are opened by the pseudo-translation test.)

#include "app/qt_host.h"

#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(QtHost, APauseKeepsTheEventLoopRunningAndIsHeard)
{
    std::vector<int> heard;
    QtHost host([&](int ms) { heard.push_back(ms); });
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(1);
    host.pause(50);
    timer.stop();
    EXPECT_GT(ticks, 0);
    EXPECT_EQ(heard, std::vector<int>{50});
}

}  // namespace
