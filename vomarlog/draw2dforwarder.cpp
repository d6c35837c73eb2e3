#include "vomarlog/draw2dforwarder.h"

namespace vomar {

Draw2dForwarder::Draw2dForwarder(unsigned int size)
    : std::ostream(nullptr), M_buf(new Draw2dForwarderStreamBuf(size)) {
  rdbuf(M_buf);
}

Draw2dForwarder::~Draw2dForwarder() {
  rdbuf(nullptr);
  delete M_buf;
}

} // namespace vomar
