#ifndef TESTS_TESTUTIL_TEXT_H
#define TESTS_TESTUTIL_TEXT_H

#include <sstream>
#include <string>

namespace testutil {

// What the stream operator writes for v, with a default stream's settings.
template <class T> std::string text(const T& v) {
  std::ostringstream os;
  os << v;
  return os.str();
}

} // namespace testutil

#endif
