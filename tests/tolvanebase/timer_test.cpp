#include "tolvanebase/timer.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>

#include "testutil/logcapture.h"
#include "vomarlog/forwarder.h"

using vekbase::Timer;

#define EXPECT_TIME(tm, t, s) EXPECT_EQ((tm), Timer(t, s)) << (tm).serverTime() << "." << (tm).stoppedTime()

TEST(Timer, SteppingAndArithmetic) {
  Timer run(10, 0), stopped(10, 2);
  EXPECT_TIME(run + 3, 13, 0);
  EXPECT_TIME(run - 20, 0, 0);
  EXPECT_TIME(stopped + 3, 10, 5);
  EXPECT_TIME(stopped - 1, 10, 1);
  EXPECT_TIME(stopped - 2, 10, 0);
  EXPECT_TIME(stopped - 5, 7, 0);
  EXPECT_TIME(Timer(5, 0) - INT_MIN, INT_MAX, 0); // saturates, no overflow
  Timer a(10, 0), b(10, 2), c(0, 0), d(10, 1);
  EXPECT_TIME(++a, 11, 0);
  EXPECT_TIME(++b, 10, 3);
  EXPECT_TIME(--c, 0, 0);
  EXPECT_TIME(--d, 10, 0);
  EXPECT_TIME(Timer(5, 3) - Timer(8, 1), 0, 0);
  EXPECT_TIME(Timer(8, 1) - Timer(5, 3), 3, 0);
  EXPECT_TIME(Timer(5, 3) + Timer(2, 7), 7, 7);

  Timer t(5, 3);
  EXPECT_TRUE(t < Timer(5, 4) && t > Timer(4, 9) && t <= Timer(5, 3));
  EXPECT_FALSE(t <= Timer(5, 2));
  EXPECT_TRUE(t < 6);
  EXPECT_FALSE(t < 5 || t != 5);
}

TEST(Timer, ClassWideState) {
  Timer::reset();
  for (int i = 0; i < 5; ++i) Timer::updateTime(11);
  EXPECT_TIME(Timer::currentTime(), 11, 4);
  EXPECT_TIME(Timer::updateTime(12), 12, 0);
  EXPECT_TIME(Timer::updateTime(12), 12, 1);
  EXPECT_TIME(Timer::updateTime(12), 12, 2);
  EXPECT_TIME(Timer::updateTime(3), 3, 0); // a lower cycle is a new cycle too
  Timer::startClock(Timer(3, 0));
  EXPECT_FALSE(Timer::clockStopped());
  Timer::reset();
  EXPECT_TIME(Timer::currentTime(), 0, 0);
  EXPECT_TIME(Timer::lastStartClock(), -1, 0);
  EXPECT_TRUE(Timer::clockStopped());
}

TEST(Timer, DumpNowAndLogPrefix) {
  std::ostringstream out;
  Timer(37, 0).dump(out);
  EXPECT_EQ(out.str(), "37.0 -");
  Timer::reset();
  Timer::updateTime(37);
  EXPECT_EQ(Timer::now(), "37.0 -");

  testutil::LogCapture capture;
  vomar::Forwarder* fwd = vomar::Forwarder::instance(8192);
  fwd->registerPrefix(&Timer::currentTime());
  fwd->zone(0);
  Timer::updateTime(37);
  fwd->prefix() << "x\n";
  Timer::updateTime(38);
  fwd->prefix() << "y\n";
  fwd->registerPrefix(nullptr);
  EXPECT_EQ(capture.text(), "37.1 -x\n38.0 -y\n");
  Timer::reset();
}
