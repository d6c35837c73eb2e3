#ifndef TESTS_TOLVANE_DRIVER_DRIVER_UTIL_H
#define TESTS_TOLVANE_DRIVER_DRIVER_UTIL_H

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tolvane/vekplayer.h"
#include "tolvane/wmsensedstate.h"
#include "vomarlog/forwarder.h"

// The player with its parser state and helpers opened up for the tests.
struct TestPlayer : VekPlayer {
  using VekActions::TraceScope;
  using VekPlayer::connection;
  using VekPlayer::initLogs;
  using VekPlayer::p1;
  using VekPlayer::parseParam;
  using VekPlayer::parseScore;
  using VekPlayer::parseString;
  using VekPlayer::seenThisCycle;
  using VekPlayer::side;
  using VekPlayer::flag_id;
  using VekPlayer::view_quality;
  using VekPlayer::step;
  using VekPlayer::waitForSeeTime;
  using VekPlayer::WMF;
  using VekPlayer::WMS;
};

// Whether the snapshot holds a complete sight.
struct SightPeek : WMSensedState {
  static bool committed(const WMSensedState& s) { return s.*(&SightPeek::sightInCurrentCycle); }
};

// Captures the log lines of some zones, of every priority.
struct LogCapture {
  LogCapture(unsigned short from, unsigned short to) : fwd(vomar::Forwarder::instance(8192)) {
    fwd->addStream(&sink, vomar::ForwarderStreamBuf::S_PASS_ALL);
    fwd->addLogZoneRange(&sink, from, to);
  }
  ~LogCapture() { fwd->removeStream(&sink); }
  std::string text() {
    fwd->flush();
    return sink.str();
  }
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
  vomar::Forwarder* fwd;
  std::ostringstream sink;
};

// The datagrams of a recording, header line skipped.
inline std::vector<std::string> recording(const std::string& file) {
  std::ifstream in(std::string(TOLVANE_DATA_DIR) + "/" + file);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line))
    if (!line.empty() && line[0] != '#') lines.push_back(line);
  return lines;
}

// The first datagram of a recording that starts with head.
inline std::string firstOf(const std::vector<std::string>& lines, const std::string& head) {
  for (const std::string& l : lines)
    if (l.compare(0, head.size(), head) == 0) return l;
  return "";
}

#endif
