#include "vomarlog/draw2dforwarderstreambuf.h"

namespace vomar {

Draw2dForwarderStreamBuf::Draw2dForwarderStreamBuf(unsigned int size)
    : M_size(size == 0 ? 1 : size), M_buffer(new char[std::size_t(M_size) + 1]) {
  resetPutArea();
}

Draw2dForwarderStreamBuf::~Draw2dForwarderStreamBuf() { delete[] M_buffer; }

void Draw2dForwarderStreamBuf::resetPutArea() { setp(M_buffer, M_buffer + (M_size - 1)); }

int Draw2dForwarderStreamBuf::sync() { return 0; }

int Draw2dForwarderStreamBuf::overflow(int c) {
  if (c != traits_type::eof()) {
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
  }
  flushBuffer();
  return c;
}

int Draw2dForwarderStreamBuf::flushBuffer() {
  const std::ptrdiff_t n = pptr() - pbase();
  if (n > 0) {
    *pptr() = '\0';
    M_scope.append(pbase());
    copyFinishedLines();
    resetPutArea();
  }
  return static_cast<int>(n);
}

// The finished lines are cut off the scope in one go, not one by one.
void Draw2dForwarderStreamBuf::copyFinishedLines() {
  std::string::size_type start = 0;
  std::string::size_type end;
  while ((end = M_scope.find('\n', start)) != std::string::npos) {
    if (M_scope.compare(start, 4, "_2D_") == 0)
      M_draw_list.push_back(M_scope.substr(start, end + 1 - start));
    start = end + 1;
  }
  M_scope.erase(0, start);
}

} // namespace vomar
