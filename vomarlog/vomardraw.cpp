#include "vomarlog/vomardraw.h"

#include <locale>
#include <sstream>

namespace vomar {

namespace {

const char* const MARKER = "_2D_";

// The monitor reads the numbers with the C locale, so the user's locale must
// not leak into them.
std::ostringstream numberStream() {
  std::ostringstream ost;
  ost.imbue(std::locale::classic());
  return ost;
}

} // namespace

std::string Draw::circle(float x, float y, float r, const std::string& color) {
  std::ostringstream ost = numberStream();
  ost << " CIRCLE col=" << color << " (" << double(x) << "," << double(-y) << "," << double(r)
      << ");";
  return ost.str();
}

std::string Draw::line(float x0, float y0, float x1, float y1, const std::string& color) {
  std::ostringstream ost = numberStream();
  ost << " LINE col=" << color << " (" << double(x0) << "," << double(-y0) << "," << double(x1)
      << "," << double(-y1) << ");";
  return ost.str();
}

std::string Draw::text(float x, float y, const std::string& t) {
  std::ostringstream ost = numberStream();
  ost << " STRING " << " (" << double(x) << "," << double(-y) << ",\"" << t << "\");";
  return ost.str();
}

std::string Draw::draw(const std::string& s0) { return MARKER + s0; }

std::string Draw::draw(const std::string& s0, const std::string& s1) {
  return MARKER + s0 + s1;
}

std::string Draw::draw(const std::string& s0, const std::string& s1, const std::string& s2) {
  return MARKER + s0 + s1 + s2;
}

std::string Draw::draw(const std::string& s0, const std::string& s1, const std::string& s2,
                       const std::string& s3) {
  return MARKER + s0 + s1 + s2 + s3;
}

} // namespace vomar
