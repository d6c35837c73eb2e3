#ifndef VOMARLOG_DRAW2DFORWARDER_H
#define VOMARLOG_DRAW2DFORWARDER_H

#include <list>
#include <ostream>
#include <string>

#include "vomarlog/draw2dforwarderstreambuf.h"

namespace vomar {

// An output stream that caches the drawing lines written to it, for the
// monitor server to send on.
class Draw2dForwarder : public std::ostream {
public:
  explicit Draw2dForwarder(unsigned int size);
  ~Draw2dForwarder() override;
  Draw2dForwarder(const Draw2dForwarder&) = delete;
  Draw2dForwarder& operator=(const Draw2dForwarder&) = delete;

  std::list<std::string>& getCachedMessages() { return M_buf->getDrawList(); }

private:
  Draw2dForwarderStreamBuf* M_buf;
};

} // namespace vomar

#endif
