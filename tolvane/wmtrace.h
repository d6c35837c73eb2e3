#ifndef TOLVANE_WMTRACE_H
#define TOLVANE_WMTRACE_H

#include <ostream>

#include "vomarlog/forwarder.h"

// Log lines of the world model, on the process-wide log stream.

// The stream placed at the start of a trace line (priority S_TRACER) of the
// given zone and level, behind prefix and indentation; null when the level
// is not logged, so that the caller does not even build the line's text.
inline std::ostream* wmTrace(unsigned int zone, unsigned short level) {
  vomar::Forwarder* log = vomar::Forwarder::instance(8192);
  if (log->indentation(level) < 0) return nullptr;
  log->getStreamBuf().priority(vomar::ForwarderStreamBuf::S_TRACER);
  log->zone(zone);
  return &log->indent(level);
}

// The stream placed at the start of a line of the given priority and zone,
// behind the line prefix; such lines have no level and are always written.
inline std::ostream& wmLog(vomar::ForwarderStreamBuf::Priority prio, unsigned int zone) {
  vomar::Forwarder* log = vomar::Forwarder::instance(8192);
  log->getStreamBuf().priority(prio);
  log->zone(zone);
  return log->prefix();
}

#endif
