#include "tolvanebase/timer.h"

#include <gtest/gtest.h>

#include <climits>

#include "testutil/logcapture.h"
#include "vomarlog/forwarder.h"

using vekbase::Timer;

namespace vekbase {
void PrintTo(const Timer& t, std::ostream* os) { *os << t.serverTime() << "." << t.stoppedTime(); }
} // namespace vekbase

TEST(Timer, SteppingAndArithmetic) {
  Timer run(10, 0), stopped(10, 2), a(10, 0), b(10, 2), c(0, 0), d(10, 1);
  const Timer cases[][2] = {
      {run + 3, {13, 0}}, {run - 20, {0, 0}}, {stopped + 3, {10, 5}}, {stopped - 1, {10, 1}},
      {stopped - 2, {10, 0}}, {stopped - 5, {7, 0}}, {++a, {11, 0}}, {++b, {10, 3}},
      {--c, {0, 0}}, {--d, {10, 0}}, {Timer(5, 0) - INT_MIN, {INT_MAX, 0}}, // saturates
      {Timer(5, 3) - Timer(8, 1), {0, 0}}, {Timer(8, 1) - Timer(5, 3), {3, 0}},
      {Timer(5, 3) + Timer(2, 7), {7, 7}}};
  for (auto& tc : cases) EXPECT_EQ(tc[0], tc[1]);

  Timer t(5, 3);
  EXPECT_TRUE(t < Timer(5, 4) && t > Timer(4, 9) && t <= Timer(5, 3));
  EXPECT_FALSE(t <= Timer(5, 2));
  EXPECT_TRUE(t < 6);
  EXPECT_FALSE(t < 5 || t != 5);
}

TEST(Timer, CurrentTimeAsLogPrefix) {
  Timer::reset();
  for (int i = 0; i < 5; ++i) Timer::updateTime(11);
  EXPECT_EQ(Timer::currentTime(), Timer(11, 4));
  EXPECT_EQ(Timer::updateTime(12), Timer(12, 0));
  EXPECT_EQ(Timer::updateTime(3), Timer(3, 0)); // a lower cycle is a new cycle too
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

  Timer::startClock(Timer(3, 0));
  Timer::reset();
  EXPECT_EQ(Timer::currentTime(), Timer(0, 0));
  EXPECT_EQ(Timer::lastStartClock(), Timer(-1, 0));
  EXPECT_TRUE(Timer::clockStopped());
}
