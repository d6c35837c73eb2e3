#include "tolvanebase/viewmode.h"

#include "tolvanebase/baseparams.h"

namespace vekbase {

std::string ViewQuality::str() const {
  switch (M_quality) {
  case S_low:
    return "low";
  case S_high:
    return "high";
  }
  return "undefined";
}

bool ViewQuality::operator<(const ViewQuality& o) const {
  return M_quality == S_low && o.M_quality == S_high;
}

bool ViewQuality::operator>(const ViewQuality& o) const {
  return M_quality == S_high && o.M_quality == S_low;
}

std::string ViewWidth::str() const {
  switch (M_width) {
  case S_narrow:
    return "narrow";
  case S_normal:
    return "normal";
  case S_wide:
    return "wide";
  }
  return "undefined";
}

// Narrow lies below every other value and wide above every other value, also
// above and below values outside the enumeration.
bool ViewWidth::operator<(const ViewWidth& o) const {
  return (M_width == S_narrow && o.M_width != S_narrow) ||
         (M_width == S_normal && o.M_width == S_wide);
}

bool ViewWidth::operator>(const ViewWidth& o) const {
  return (M_width == S_wide && o.M_width != S_wide) ||
         (M_width == S_normal && o.M_width == S_narrow);
}

AngleDeg ViewWidth::value() const {
  const AngleDeg normal = BaseParams::instance()->serverParams().visibleAngle();
  switch (M_width) {
  case S_narrow:
    return normal / 2.0;
  case S_normal:
    return normal;
  case S_wide:
    return normal * 2.0;
  }
  return AngleDeg(0.0);
}

std::ostream& operator<<(std::ostream& os, const ViewQuality& q) { return os << q.str(); }

std::ostream& operator<<(std::ostream& os, const ViewWidth& w) { return os << w.str(); }

} // namespace vekbase
