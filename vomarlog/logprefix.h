#ifndef VOMARLOG_LOGPREFIX_H
#define VOMARLOG_LOGPREFIX_H

#include <ostream>

namespace vomar {

// Writes the start of every prefixed log line (no newline).
class LogPrefix {
public:
  virtual ~LogPrefix() {}
  virtual void dump(std::ostream& ost) const = 0;
};

} // namespace vomar

#endif
