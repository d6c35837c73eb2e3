#ifndef VOMARLOG_VOMARDRAW_H
#define VOMARLOG_VOMARDRAW_H

#include <string>

namespace vomar {

// Builds the texts of monitor drawings. A drawing is one log line made of
// draw(...) and "\n"; coordinates are field metres, y is negated because the
// monitor's y axis points the other way.
class Draw {
public:
  static std::string circle(float x, float y, float r, const std::string& color);
  static std::string line(float x0, float y0, float x1, float y1, const std::string& color);
  static std::string text(float x, float y, const std::string& t);

  static std::string draw(const std::string& s0);
  static std::string draw(const std::string& s0, const std::string& s1);
  static std::string draw(const std::string& s0, const std::string& s1, const std::string& s2);
  static std::string draw(const std::string& s0, const std::string& s1, const std::string& s2,
                          const std::string& s3);
};

} // namespace vomar

#endif
