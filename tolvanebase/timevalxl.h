#ifndef TOLVANEBASE_TIMEVALXL_H
#define TOLVANEBASE_TIMEVALXL_H

#include <sys/time.h>

#include <ostream>

namespace vekbase {

// A wall-clock interval in seconds and microseconds, for time-outs and waits.
// Both fields carry the sign of the whole interval. Sums and differences are
// taken on 64-bit microsecond counts, so absolute times of day add safely.
class TimevalXL : public timeval {
public:
  TimevalXL() : timeval{0, 0} {}
  TimevalXL(long usec);
  TimevalXL(long sec, long usec);
  TimevalXL(const TimevalXL&) = default;
  TimevalXL& operator=(const TimevalXL&) = default;
  TimevalXL& operator=(long usec);

  // Microseconds.
  operator long() const;
  // Milliseconds.
  operator double() const;

  TimevalXL& operator+=(const TimevalXL& o);
  TimevalXL& operator-=(const TimevalXL& o);

  bool operator<(const TimevalXL& o) const;
  bool operator>(const TimevalXL& o) const;
  // Against a microsecond count.
  bool operator<(long usec) const { return long(*this) < usec; }
  bool operator>(long usec) const { return long(*this) > usec; }
  // Against a millisecond value.
  bool operator<(double msec) const { return double(*this) < msec; }
  bool operator>(double msec) const { return double(*this) > msec; }
};

TimevalXL operator+(TimevalXL tv1, const TimevalXL& tv2);
TimevalXL operator-(TimevalXL tv1, const TimevalXL& tv2);
bool operator==(const TimevalXL& a, const TimevalXL& b);
bool operator!=(const TimevalXL& a, const TimevalXL& b);
// "-" for a negative interval, then "<sec>:<usec>" without leading zeros.
std::ostream& operator<<(std::ostream& ost, const TimevalXL& tv);

} // namespace vekbase

#endif
