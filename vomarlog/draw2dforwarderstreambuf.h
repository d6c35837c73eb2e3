#ifndef VOMARLOG_DRAW2DFORWARDERSTREAMBUF_H
#define VOMARLOG_DRAW2DFORWARDERSTREAMBUF_H

#include <cstdint>
#include <list>
#include <streambuf>
#include <string>

namespace vomar {

// Keeps the complete lines that start with "_2D_" and drops every other line.
// Text is taken out of the put area only when the area is full; a flush of the
// stream leaves it where it is.
class Draw2dForwarderStreamBuf : public std::streambuf {
public:
  explicit Draw2dForwarderStreamBuf(unsigned int size);
  ~Draw2dForwarderStreamBuf() override;
  Draw2dForwarderStreamBuf(const Draw2dForwarderStreamBuf&) = delete;
  Draw2dForwarderStreamBuf& operator=(const Draw2dForwarderStreamBuf&) = delete;

  // Moves the pending text into the scope and caches the finished drawing
  // lines; returns the number of characters that were pending.
  int flushBuffer();
  void copyFinishedLines();

  // The cached lines, oldest first, each with its newline; the owner clears it.
  std::list<std::string>& getDrawList() { return M_draw_list; }

protected:
  int sync() override;
  int overflow(int c) override;

private:
  void resetPutArea();

  std::uint32_t M_size;
  std::string M_scope;
  std::list<std::string> M_draw_list;
  // M_size + 1 characters: the put area, the character handed to overflow()
  // and a terminating NUL.
  char* M_buffer;
};

} // namespace vomar

#endif
