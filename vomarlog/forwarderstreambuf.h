#ifndef VOMARLOG_FORWARDERSTREAMBUF_H
#define VOMARLOG_FORWARDERSTREAMBUF_H

#include <bitset>
#include <cstdint>
#include <ostream>
#include <set>
#include <streambuf>
#include <vector>

namespace vomar {

// Collects log text and hands each chunk to every registered sink whose
// priority and zone filters accept the text's current priority and zone.
class ForwarderStreamBuf : public std::streambuf {
public:
  enum Priority { S_NORMAL = 0, S_WARNING = 1, S_ERROR = 2, S_TRACER = 3, S_ILLEGAL = 4 };

  static const std::bitset<4> S_PASS_NONE;
  static const std::bitset<4> S_PASS_NORMAL;
  static const std::bitset<4> S_PASS_WARNING;
  static const std::bitset<4> S_PASS_ERROR;
  static const std::bitset<4> S_PASS_TRACER;
  static const std::bitset<4> S_PASS_DEFAULT;
  static const std::bitset<4> S_PASS_ALL;

  // An empty set admits only zone 0, a set holding 0 admits every zone,
  // otherwise zone 0 and the zones held.
  struct LogZones {
    std::set<unsigned short> M_zones;
    bool admits(unsigned short zone) const;
  };

  struct StreamInfo {
    std::bitset<4> M_pass;
    LogZones M_log_zones;
    std::ostream* M_stream;
  };

  explicit ForwarderStreamBuf(unsigned int size);
  ~ForwarderStreamBuf() override;
  ForwarderStreamBuf(const ForwarderStreamBuf&) = delete;
  ForwarderStreamBuf& operator=(const ForwarderStreamBuf&) = delete;

  ForwarderStreamBuf& priority(Priority priority);
  ForwarderStreamBuf& zone(unsigned short z);

  void addStream(std::ostream* stream, std::bitset<4> pass);
  bool removeStream(const std::ostream* stream);
  bool setPrioritySet(const std::ostream* stream, std::bitset<4> pass);
  std::bitset<4> getPrioritySet(const std::ostream* stream) const;
  bool addLogZone(const std::ostream* stream, unsigned short zone);
  bool addLogZoneRange(const std::ostream* stream, unsigned short from_zone,
                       unsigned short to_zone);

protected:
  int sync() override;
  int overflow(int c) override;

private:
  void flushBuffer();
  void forward(const char* text, std::streamsize count);
  StreamInfo* find(const std::ostream* stream);
  const StreamInfo* find(const std::ostream* stream) const;

  std::uint32_t M_size;
  Priority M_current_priority;
  unsigned short M_current_zone;
  std::vector<StreamInfo> M_streams;
  char* M_buffer;
};

} // namespace vomar

#endif
