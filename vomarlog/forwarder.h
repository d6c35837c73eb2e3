#ifndef VOMARLOG_FORWARDER_H
#define VOMARLOG_FORWARDER_H

#include <bitset>
#include <cstdint>
#include <ostream>

#include "vomarlog/forwarderstreambuf.h"
#include "vomarlog/logprefix.h"

extern "C" int vomarlog_version_();

namespace vomar {

// The process-wide log stream. A log line is written as
//   Forwarder* f = Forwarder::instance(8192);
//   if (f->indentation(L) >= 0) {
//     f->getStreamBuf().priority(P);
//     f->zone(Z);
//     f->indent(L) << "text" << "\n";
//   }
// which indentedLine and prefixedLine below do up to the text.
class Forwarder : public std::ostream {
public:
  static Forwarder* instance(unsigned int size);

  ~Forwarder() override;
  Forwarder(const Forwarder&) = delete;
  Forwarder& operator=(const Forwarder&) = delete;

  void addStream(std::ostream* stream, std::bitset<4> pass);
  bool removeStream(const std::ostream* stream);
  std::bitset<4> getPrioritySet(const std::ostream* stream) const;
  bool setPrioritySet(const std::ostream* stream, std::bitset<4> pass);
  bool addLogZone(const std::ostream* stream, unsigned short zone);
  bool addLogZoneRange(const std::ostream* stream, unsigned short from_zone,
                       unsigned short to_zone);

  Forwarder& zone(unsigned int z);
  ForwarderStreamBuf& getStreamBuf() { return *M_buf; }
  const ForwarderStreamBuf& getStreamBuf() const { return *M_buf; }

  void registerPrefix(const LogPrefix* prefix) { M_prefix = prefix; }
  Forwarder& prefix();

  void setBasicOffset(unsigned char offset) { M_basic_offset = offset; }
  void setInitialOffset(signed char offset) { M_initial_offset = offset; }
  void setIndentChar(char c);
  void setMaxLogLevel(unsigned short level);
  unsigned short maxLogLevel() const { return M_max_log_level; }
  unsigned char indentLevel() const { return M_indent_level; }
  void incIndent();
  void decIndent();

  int indentation(unsigned short level) const;
  Forwarder& indent(unsigned short level);

private:
  explicit Forwarder(unsigned int size);
  void fillIndentBuffer();

  ForwarderStreamBuf* M_buf;
  std::uint8_t M_basic_offset;
  std::int8_t M_initial_offset;
  char M_indent_char;
  std::uint16_t M_max_log_level;
  std::uint8_t M_indent_level;
  char* M_indent_buffer;
  const LogPrefix* M_prefix;
};

// Opens a log line of priority prio in zone z, behind the prefix and the
// indentation of level; null when the level is not logged, so that the
// caller builds none of the line's text. The caller ends the line with "\n".
// Priority is set before zone: each flushes the pending text it changes.
Forwarder* indentedLine(ForwarderStreamBuf::Priority prio, unsigned int z, unsigned short level);

// Opens a log line of priority prio in zone z behind the line prefix alone;
// such a line has no level and is always written.
Forwarder& prefixedLine(ForwarderStreamBuf::Priority prio, unsigned int z);

} // namespace vomar

#endif
