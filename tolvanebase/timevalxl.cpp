#include "tolvanebase/timevalxl.h"

#include <string>

namespace vekbase {

namespace {

const long USEC_PER_SEC = 1000000L;

unsigned long magnitude(long v) {
  return v < 0 ? 0UL - static_cast<unsigned long>(v) : static_cast<unsigned long>(v);
}

} // namespace

TimevalXL::TimevalXL(long usec) : timeval{usec / USEC_PER_SEC, usec % USEC_PER_SEC} {}

TimevalXL::TimevalXL(long sec, long usec)
    : timeval{sec + usec / USEC_PER_SEC, usec % USEC_PER_SEC} {
  // Seconds and microseconds of opposite signs would print and compare as a
  // different interval; borrow one second so both carry the same sign.
  if (tv_sec > 0 && tv_usec < 0) {
    --tv_sec;
    tv_usec += USEC_PER_SEC;
  } else if (tv_sec < 0 && tv_usec > 0) {
    ++tv_sec;
    tv_usec -= USEC_PER_SEC;
  }
}

TimevalXL& TimevalXL::operator=(long usec) { return *this = TimevalXL(usec); }

TimevalXL::operator long() const { return tv_sec * USEC_PER_SEC + tv_usec; }

TimevalXL::operator double() const { return 1000.0 * double(tv_sec) + double(tv_usec) / 1000.0; }

TimevalXL& TimevalXL::operator+=(const TimevalXL& o) { return *this = long(*this) + long(o); }

TimevalXL& TimevalXL::operator-=(const TimevalXL& o) { return *this = long(*this) - long(o); }

bool TimevalXL::operator<(const TimevalXL& o) const {
  return tv_sec < o.tv_sec || (tv_sec == o.tv_sec && tv_usec < o.tv_usec);
}

bool TimevalXL::operator>(const TimevalXL& o) const { return o < *this; }

TimevalXL operator+(TimevalXL tv1, const TimevalXL& tv2) { return tv1 += tv2; }
TimevalXL operator-(TimevalXL tv1, const TimevalXL& tv2) { return tv1 -= tv2; }

bool operator==(const TimevalXL& a, const TimevalXL& b) {
  return a.tv_sec == b.tv_sec && a.tv_usec == b.tv_usec;
}

bool operator!=(const TimevalXL& a, const TimevalXL& b) { return !(a == b); }

std::ostream& operator<<(std::ostream& ost, const TimevalXL& tv) {
  std::string text = tv.tv_sec < 0 || tv.tv_usec < 0 ? "-" : "";
  text += std::to_string(magnitude(tv.tv_sec));
  text += ":";
  text += std::to_string(magnitude(tv.tv_usec));
  return ost << text;
}

} // namespace vekbase
