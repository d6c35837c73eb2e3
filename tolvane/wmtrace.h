#ifndef TOLVANE_WMTRACE_H
#define TOLVANE_WMTRACE_H

#include <ostream>

#include "vomarlog/forwarder.h"

// The stream placed at the start of a trace line (priority S_TRACER) of the
// world model, or null when the level is not logged.
inline std::ostream* wmTrace(unsigned int zone, unsigned short level) {
  return vomar::indentedLine(vomar::ForwarderStreamBuf::S_TRACER, zone, level);
}

#endif
