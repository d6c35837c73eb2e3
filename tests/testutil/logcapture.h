#ifndef TESTS_TESTUTIL_LOGCAPTURE_H
#define TESTS_TESTUTIL_LOGCAPTURE_H

#include <bitset>
#include <initializer_list>
#include <sstream>
#include <string>

#include "vomarlog/forwarder.h"
#include "vomarlog/logprefix.h"

namespace testutil {

// A line prefix that always writes "12 -".
class FixedPrefix : public vomar::LogPrefix {
public:
  void dump(std::ostream& ost) const override { ost << "12 -"; }
};

// Every log zone from `from` to `to`.
struct ZoneRange {
  unsigned short from;
  unsigned short to;
};

// Collects the log lines of some zones while it lives, by default of every
// priority. Without zones it gets only the lines logged to zone 0; zone 0
// among the zones lets every zone through.
class LogCapture {
public:
  LogCapture() : LogCapture(std::initializer_list<unsigned short>{}) {}
  explicit LogCapture(std::initializer_list<unsigned short> zones,
                      std::bitset<4> pass = vomar::ForwarderStreamBuf::S_PASS_ALL) {
    fwd->addStream(&sink, pass);
    for (unsigned short z : zones) fwd->addLogZone(&sink, z);
  }
  explicit LogCapture(ZoneRange zones,
                      std::bitset<4> pass = vomar::ForwarderStreamBuf::S_PASS_ALL) {
    fwd->addStream(&sink, pass);
    fwd->addLogZoneRange(&sink, zones.from, zones.to);
  }
  ~LogCapture() { fwd->removeStream(&sink); }
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  // All caught so far.
  std::string text() {
    fwd->flush();
    return sink.str();
  }
  bool has(const std::string& what) { return text().find(what) != std::string::npos; }
  // How often what stands in the text, overlaps counted.
  int count(const std::string& what) {
    const std::string t = text();
    int n = 0;
    for (std::size_t p = t.find(what); p != std::string::npos; p = t.find(what, p + 1)) ++n;
    return n;
  }
  void clear() {
    fwd->flush();
    sink.str("");
  }

private:
  vomar::Forwarder* fwd = vomar::Forwarder::instance(8192);
  std::ostringstream sink;
};

} // namespace testutil

#endif
