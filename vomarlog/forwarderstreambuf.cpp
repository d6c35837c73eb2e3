#include "vomarlog/forwarderstreambuf.h"

#include <algorithm>

namespace vomar {

const std::bitset<4> ForwarderStreamBuf::S_PASS_NONE(0);
const std::bitset<4> ForwarderStreamBuf::S_PASS_NORMAL(1);
const std::bitset<4> ForwarderStreamBuf::S_PASS_WARNING(2);
const std::bitset<4> ForwarderStreamBuf::S_PASS_ERROR(4);
const std::bitset<4> ForwarderStreamBuf::S_PASS_TRACER(8);
const std::bitset<4> ForwarderStreamBuf::S_PASS_DEFAULT(7);
const std::bitset<4> ForwarderStreamBuf::S_PASS_ALL(15);

bool ForwarderStreamBuf::LogZones::admits(unsigned short zone) const {
  return zone == 0 || M_zones.count(0) != 0 || M_zones.count(zone) != 0;
}

ForwarderStreamBuf::ForwarderStreamBuf(unsigned int size)
    : M_size(size == 0 ? 1 : size), M_current_priority(S_NORMAL), M_current_zone(0),
      M_buffer(new char[M_size]) {
  // The last character is kept for the one that overflow() receives.
  setp(M_buffer, M_buffer + (M_size - 1));
}

ForwarderStreamBuf::~ForwarderStreamBuf() {
  flushBuffer();
  delete[] M_buffer;
}

ForwarderStreamBuf& ForwarderStreamBuf::priority(Priority priority) {
  if (priority != M_current_priority) {
    flushBuffer();
    M_current_priority = priority;
  }
  return *this;
}

ForwarderStreamBuf& ForwarderStreamBuf::zone(unsigned short z) {
  if (z != M_current_zone) {
    flushBuffer();
    M_current_zone = z;
  }
  return *this;
}

ForwarderStreamBuf::StreamInfo* ForwarderStreamBuf::find(const std::ostream* stream) {
  for (StreamInfo& info : M_streams)
    if (info.M_stream == stream) return &info;
  return nullptr;
}

const ForwarderStreamBuf::StreamInfo* ForwarderStreamBuf::find(const std::ostream* stream) const {
  for (const StreamInfo& info : M_streams)
    if (info.M_stream == stream) return &info;
  return nullptr;
}

void ForwarderStreamBuf::addStream(std::ostream* stream, std::bitset<4> pass) {
  flushBuffer();
  if (StreamInfo* info = find(stream)) {
    info->M_pass = pass;
    info->M_log_zones.M_zones.clear();
    return;
  }
  M_streams.push_back(StreamInfo{pass, LogZones(), stream});
}

bool ForwarderStreamBuf::removeStream(const std::ostream* stream) {
  flushBuffer();
  auto it = std::find_if(M_streams.begin(), M_streams.end(),
                         [stream](const StreamInfo& i) { return i.M_stream == stream; });
  if (it == M_streams.end()) return false;
  M_streams.erase(it);
  return true;
}

bool ForwarderStreamBuf::setPrioritySet(const std::ostream* stream, std::bitset<4> pass) {
  StreamInfo* info = find(stream);
  if (!info) return false;
  info->M_pass = pass;
  return true;
}

std::bitset<4> ForwarderStreamBuf::getPrioritySet(const std::ostream* stream) const {
  const StreamInfo* info = find(stream);
  return info ? info->M_pass : S_PASS_NONE;
}

bool ForwarderStreamBuf::addLogZone(const std::ostream* stream, unsigned short zone) {
  flushBuffer();
  StreamInfo* info = find(stream);
  if (!info) return false;
  std::set<unsigned short>& zones = info->M_log_zones.M_zones;
  if (zones.count(0) == 0) zones.insert(zone);
  return true;
}

bool ForwarderStreamBuf::addLogZoneRange(const std::ostream* stream, unsigned short from_zone,
                                         unsigned short to_zone) {
  flushBuffer();
  StreamInfo* info = find(stream);
  if (!info) return false;
  std::set<unsigned short>& zones = info->M_log_zones.M_zones;
  if (zones.count(0) != 0) return true;
  // Counted in a wider type so that a range ending at 65535 stops.
  for (unsigned int z = from_zone; z <= to_zone; ++z)
    zones.insert(static_cast<unsigned short>(z));
  return true;
}

int ForwarderStreamBuf::sync() {
  flushBuffer();
  return 0;
}

int ForwarderStreamBuf::overflow(int c) {
  if (c != traits_type::eof()) {
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
  }
  flushBuffer();
  return c;
}

void ForwarderStreamBuf::flushBuffer() {
  std::streamsize n = pptr() - pbase();
  if (n > 0) forward(pbase(), n);
  setp(M_buffer, M_buffer + (M_size - 1));
}

void ForwarderStreamBuf::forward(const char* text, std::streamsize count) {
  // S_ILLEGAL (or anything beyond) names no bit of a pass set.
  const unsigned int bit = static_cast<unsigned int>(M_current_priority);
  if (bit >= S_ILLEGAL) return;
  for (StreamInfo& info : M_streams) {
    if (!info.M_pass.test(bit)) continue;
    if (!info.M_log_zones.admits(M_current_zone)) continue;
    info.M_stream->write(text, count);
    info.M_stream->flush();
  }
}

} // namespace vomar
