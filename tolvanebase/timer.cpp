#include "tolvanebase/timer.h"

#include <climits>
#include <locale>
#include <sstream>

namespace vekbase {

namespace {

// Cycle arithmetic saturates instead of overflowing on absurd step counts.
int saturated(long long v) {
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return int(v);
}

} // namespace

Timer Timer::current(0, 0);
Timer Timer::last(0, 0);
Timer Timer::lastStart(-1, 0);
Timer Timer::secondLastStart(-1, 0);
int Timer::clockStep = 100;
bool Timer::stopped = true;
int Timer::stoppedClockMSec = 0;

Timer Timer::stepped(long long n) const {
  long long nt = t, ns = s;
  if (n > 0) {
    if (s > 0)
      ns += n;
    else
      nt += n;
  } else {
    if (s <= 0) {
      nt += n;
    } else if (s <= -n) {
      nt += n + s;
      ns = 0;
    } else {
      ns += n;
    }
    if (nt < 0) nt = 0;
  }
  return Timer(saturated(nt), saturated(ns));
}

Timer Timer::operator+(int cycles) const { return stepped(cycles); }
Timer Timer::operator-(int cycles) const { return stepped(-static_cast<long long>(cycles)); }

Timer& Timer::operator+=(int cycles) { return *this = *this + cycles; }
Timer& Timer::operator-=(int cycles) { return *this = *this - cycles; }

Timer Timer::operator+(const Timer& tm) const {
  return Timer(saturated(static_cast<long long>(t) + tm.t), tm.s);
}

Timer& Timer::operator+=(const Timer& tm) { return *this = *this + tm; }

Timer Timer::operator-(const Timer& tm) const {
  long long d = static_cast<long long>(t) - tm.t;
  return Timer(d > 0 ? saturated(d) : 0, 0);
}

Timer& Timer::operator-=(const Timer& tm) { return *this = *this - tm; }

Timer& Timer::operator++() {
  if (s >= 1) {
    if (s < INT_MAX) ++s;
  } else if (t < INT_MAX) {
    ++t;
  }
  return *this;
}

Timer& Timer::operator--() {
  if (s >= 1)
    --s;
  else if (t > 0)
    --t;
  return *this;
}

void Timer::dump(std::ostream& ost) const { ost << t << "." << s << " -"; }

const Timer& Timer::updateTime(int vt) {
  if (vt != current.t) {
    current = Timer(vt, 0);
  } else if (current.s < INT_MAX) {
    ++current.s;
  }
  return current;
}

std::string Timer::now() {
  std::ostringstream os;
  os.imbue(std::locale::classic());
  current.dump(os);
  return os.str();
}

void Timer::reset() {
  current = Timer(0, 0);
  last = Timer(0, 0);
  lastStart = Timer(-1, 0);
  secondLastStart = lastStart;
  clockStep = 100;
  stopped = true;
  stoppedClockMSec = 0;
}

void Timer::startClock(const Timer& h) {
  secondLastStart = lastStart;
  lastStart = h;
  stoppedClockMSec = 0;
  stopped = false;
}

void Timer::updateStoppedMSec(int ms) {
  stoppedClockMSec = saturated(static_cast<long long>(stoppedClockMSec) + ms);
}

} // namespace vekbase
