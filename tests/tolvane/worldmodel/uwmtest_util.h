#ifndef TESTS_UWMTEST_UTIL_H
#define TESTS_UWMTEST_UTIL_H

#include <cmath>
#include <sstream>
#include <string>

#include "tolvane/updateablewmstate.h"
#include "tolvane/wmsensedstate.h"
#include "vomarlog/forwarder.h"

// The persistent model with its inner operations and fields opened up.
struct Probe : UpdateableWMState {
  using UpdateableWMState::calculateVelocity;
  using UpdateableWMState::lemma;
  using UpdateableWMState::lineFlagLocalization;
  using UpdateableWMState::pos_est;
  using WMState::ball;
  using WMState::mySide;
  using WMState::others;
  using WMState::own;
  using WMState::unknown;

  PlayerObject& self() { return *getMe(); }
  // Builds the flag table anew for side s.
  static void flagsFor(Side s) {
    allFlags.clear();
    flagsInitialized = false;
    initFlags(s);
  }
  static Vector2D flagPos(FlagObject::FlagId id) { return allFlags[id].getAbsPos(); }
};

// The direction (degrees, relative to the head) at which an agent at p with
// global neck direction neck sees the point z.
inline double bearing(const Vector2D& p, double neck, const Vector2D& z) {
  const Vector2D d = z - p;
  return double(vekbase::AngleDeg(std::atan2(d[1], d[0]) * 180.0 / std::acos(-1.0) - neck));
}

// Collects the lines of up to two log zones while it lives.
class LogSink {
public:
  explicit LogSink(unsigned short zone, unsigned short zone2 = 0)
      : fwd(vomar::Forwarder::instance(8192)) {
    fwd->addStream(&sink, vomar::ForwarderStreamBuf::S_PASS_ALL);
    fwd->addLogZone(&sink, zone);
    if (zone2) fwd->addLogZone(&sink, zone2);
  }
  ~LogSink() { fwd->removeStream(&sink); }
  std::string text() {
    fwd->flush();
    return sink.str();
  }
  bool has(const std::string& s) { return text().find(s) != std::string::npos; }

private:
  vomar::Forwarder* fwd;
  std::ostringstream sink;
};

#endif
