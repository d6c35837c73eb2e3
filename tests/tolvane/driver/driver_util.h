#ifndef TESTS_TOLVANE_DRIVER_DRIVER_UTIL_H
#define TESTS_TOLVANE_DRIVER_DRIVER_UTIL_H

#include <fstream>
#include <string>
#include <vector>

#include "testutil/logcapture.h"
#include "tolvane/connection.h"
#include "tolvane/vekplayer.h"
#include "tolvane/wmsensedstate.h"

// The player with its parser state and helpers opened up for the tests.
// A link that sends nowhere and never receives: for commands that must
// be sent somewhere while the test feeds the messages itself.
struct NullLink : Connection {
  bool open() override { return true; }
  void close() override {}
  bool sendMessage(const std::string&) override { return true; }
  bool sendMessage(const char*) override { return true; }
  bool sendInitializeMessage() override { return true; }
  bool waitForMessage(vekbase::TimevalXL) override { return false; }
};

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

using testutil::LogCapture;

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
