#ifndef TOLVANEBASE_VIEWMODE_H
#define TOLVANEBASE_VIEWMODE_H

#include <ostream>
#include <string>

#include "tolvanebase/angle.h"

namespace vekbase {

// The quality half of the view mode. The enumerations have a fixed underlying
// type so that a value outside them (read off the wire) is still a legal one.
class ViewQuality {
public:
  enum Quality : int { S_low = 0, S_high = 1 };

  ViewQuality(Quality q) : M_quality(q) {}

  void set(Quality q) { M_quality = q; }
  Quality operator()() const { return M_quality; }
  bool isHigh() const { return M_quality == S_high; }
  bool isLow() const { return M_quality == S_low; }
  // The protocol word.
  std::string str() const;

  bool operator==(const ViewQuality& o) const { return M_quality == o.M_quality; }
  bool operator<(const ViewQuality& o) const;
  bool operator>(const ViewQuality& o) const;

private:
  Quality M_quality;
};

// The width half of the view mode.
class ViewWidth {
public:
  enum Width : int { S_narrow = 0, S_normal = 1, S_wide = 2 };

  ViewWidth(Width w) : M_width(w) {}

  void set(Width w) { M_width = w; }
  Width operator()() const { return M_width; }
  bool isNarrow() const { return M_width == S_narrow; }
  bool isNormal() const { return M_width == S_normal; }
  bool isWide() const { return M_width == S_wide; }
  // The protocol word.
  std::string str() const;

  bool operator==(const ViewWidth& o) const { return M_width == o.M_width; }
  bool operator<(const ViewWidth& o) const;
  bool operator>(const ViewWidth& o) const;

  // The full view cone from the server's visible angle.
  AngleDeg value() const;

private:
  Width M_width;
};

std::ostream& operator<<(std::ostream& os, const ViewQuality& q);
std::ostream& operator<<(std::ostream& os, const ViewWidth& w);

} // namespace vekbase

#endif
