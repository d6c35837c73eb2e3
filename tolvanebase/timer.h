#ifndef TOLVANEBASE_TIMER_H
#define TOLVANEBASE_TIMER_H

#include <ostream>
#include <string>

#include "vomarlog/logprefix.h"

namespace vekbase {

// Simulation time: the server cycle t and the sub-step s that counts how often
// the same cycle was reported again while the server's clock stood still.
// The process keeps one current time; registered as the log prefix it starts
// every prefixed log line with that time.
class Timer : public vomar::LogPrefix {
public:
  constexpr Timer() : t(0), s(0) {}
  constexpr Timer(int cycle, int step) : t(cycle), s(step) {}
  Timer(const Timer&) = default;
  Timer& operator=(const Timer&) = default;
  ~Timer() override {}

  int serverTime() const { return t; }
  int stoppedTime() const { return s; }

  // Steps forward or back; inside a stopped-clock phase the sub-steps move
  // first, and the cycle never goes below 0.
  Timer operator+(int cycles) const;
  Timer operator-(int cycles) const;
  Timer& operator+=(int cycles);
  Timer& operator-=(int cycles);

  // The cycles add, the sub-step is the right operand's.
  Timer operator+(const Timer& tm) const;
  Timer& operator+=(const Timer& tm);
  // The cycle difference, at least 0; sub-steps are dropped.
  Timer operator-(const Timer& tm) const;
  Timer& operator-=(const Timer& tm);

  Timer& operator++();
  Timer& operator--();

  bool operator<(const Timer& o) const { return t < o.t || (t == o.t && s < o.s); }
  bool operator>(const Timer& o) const { return o < *this; }
  bool operator<=(const Timer& o) const { return !(o < *this); }
  bool operator==(const Timer& o) const { return t == o.t && s == o.s; }
  bool operator!=(const Timer& o) const { return !(*this == o); }
  // These look at the cycle alone.
  bool operator<(int c) const { return t < c; }
  bool operator>(int c) const { return t > c; }
  bool operator!=(int c) const { return t != c; }

  // "<t>.<s> -", e.g. "37.0 -".
  void dump(std::ostream& ost) const override;

  static const Timer& currentTime() { return current; }
  // A new cycle starts at sub-step 0; a repeated report of the same cycle
  // counts one more sub-step.
  static const Timer& updateTime(int vt);
  static std::string now();
  static void reset();

  static const Timer& lastStartClock() { return lastStart; }
  static void setClockStep(int cs) { clockStep = cs; }
  static bool clockStopped() { return stopped; }
  static void stopClock() { stopped = true; }
  static void startClock(const Timer& h);
  static void updateStoppedMSec(int ms);

private:
  Timer stepped(long long n) const;

  int t;
  int s;

  static Timer current;
  static Timer last;
  static Timer lastStart;
  static Timer secondLastStart;
  static int clockStep;
  static bool stopped;
  static int stoppedClockMSec;
};

} // namespace vekbase

#endif
