#include "vomarlog/forwarder.h"

#include <cstring>
#include <locale>

extern "C" int vomarlog_version_() { return 0; }

namespace vomar {

Forwarder* Forwarder::instance(unsigned int size) {
  static Forwarder the_forwarder(size);
  return &the_forwarder;
}

Forwarder::Forwarder(unsigned int size)
    : std::ostream(nullptr), M_buf(new ForwarderStreamBuf(size)), M_basic_offset(50),
      M_initial_offset(-50), M_indent_char('-'), M_max_log_level(700), M_indent_level(0),
      M_indent_buffer(nullptr), M_prefix(nullptr) {
  rdbuf(M_buf);
  // Numbers in the log never depend on the user's locale.
  imbue(std::locale::classic());
  fillIndentBuffer();
}

Forwarder::~Forwarder() {
  rdbuf(nullptr);
  delete M_buf;
  delete[] M_indent_buffer;
}

void Forwarder::fillIndentBuffer() {
  unsigned int n = M_max_log_level / 10;
  char* buffer = new char[n + 1];
  std::memset(buffer, M_indent_char, n);
  buffer[n] = '\0';
  delete[] M_indent_buffer;
  M_indent_buffer = buffer;
}

void Forwarder::addStream(std::ostream* stream, std::bitset<4> pass) {
  M_buf->addStream(stream, pass);
}

bool Forwarder::removeStream(const std::ostream* stream) { return M_buf->removeStream(stream); }

std::bitset<4> Forwarder::getPrioritySet(const std::ostream* stream) const {
  return M_buf->getPrioritySet(stream);
}

bool Forwarder::setPrioritySet(const std::ostream* stream, std::bitset<4> pass) {
  return M_buf->setPrioritySet(stream, pass);
}

bool Forwarder::addLogZone(const std::ostream* stream, unsigned short zone) {
  return M_buf->addLogZone(stream, zone);
}

bool Forwarder::addLogZoneRange(const std::ostream* stream, unsigned short from_zone,
                                unsigned short to_zone) {
  return M_buf->addLogZoneRange(stream, from_zone, to_zone);
}

Forwarder& Forwarder::zone(unsigned int z) {
  M_buf->zone(static_cast<unsigned short>(z % 65536u));
  return *this;
}

Forwarder& Forwarder::prefix() {
  if (M_prefix) M_prefix->dump(*this);
  return *this;
}

void Forwarder::setIndentChar(char c) {
  M_indent_char = c;
  std::memset(M_indent_buffer, c, M_max_log_level / 10);
}

void Forwarder::setMaxLogLevel(unsigned short level) {
  M_max_log_level = level;
  fillIndentBuffer();
}

void Forwarder::incIndent() {
  if (M_indent_level != 255) ++M_indent_level;
}

void Forwarder::decIndent() {
  if (M_indent_level != 0) --M_indent_level;
}

int Forwarder::indentation(unsigned short level) const {
  int n = int(M_basic_offset) * int(M_indent_level) + int(M_initial_offset) + int(level);
  if (n < 0) n = 0;
  if (n > int(M_max_log_level)) return -1;
  return n;
}

Forwarder& Forwarder::indent(unsigned short level) {
  int n = indentation(level);
  if (n < 0) return *this;
  prefix();
  int k = n / 10;
  write(M_indent_buffer, k);
  return *this;
}

Forwarder* indentedLine(ForwarderStreamBuf::Priority prio, unsigned int z, unsigned short level) {
  Forwarder* log = Forwarder::instance(8192);
  if (log->indentation(level) < 0) return nullptr;
  log->getStreamBuf().priority(prio);
  log->zone(z);
  return &log->indent(level);
}

Forwarder& prefixedLine(ForwarderStreamBuf::Priority prio, unsigned int z) {
  Forwarder* log = Forwarder::instance(8192);
  log->getStreamBuf().priority(prio);
  log->zone(z);
  return log->prefix();
}

} // namespace vomar
