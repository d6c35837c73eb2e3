// Text dumps and monitor drawings of a world-model state, for debugging.

#include <sstream>
#include <string>

#include "tolvane/clientparam.h"
#include "tolvane/wmstate.h"
#include "tolvanebase/vekmath.h"
#include "vomarlog/forwarder.h"
#include "vomarlog/vomardraw.h"

namespace {

const unsigned int ZONE_WMSTATE = 1150;
const unsigned int ZONE_OWN = 1151;
const unsigned int ZONE_OPP = 1152;
const unsigned int ZONE_UNKNOWN = 1153;

// Writes one trace line of text when the level is logged.
void traceLine(unsigned int zone, unsigned short level, const std::string& text) {
  vomar::Forwarder* log = vomar::Forwarder::instance(8192);
  if (log->indentation(level) < 0) return;
  log->getStreamBuf().priority(vomar::ForwarderStreamBuf::S_TRACER);
  log->zone(zone);
  log->indent(level) << text << "\n";
}

bool levelLogged(unsigned short level) {
  return vomar::Forwarder::instance(8192)->indentation(level) >= 0;
}

// The dumps are written only for a client log level of at least 100.
bool dumpsWanted(const ClientParam* cp) { return cp->log_level >= 100; }

// One character per shirt number 1 to 11: the number's character where
// known(n) holds, "_" elsewhere.
template <class Known> std::string numberMap(Known known) {
  std::string map;
  for (int n = 1; n <= 11; ++n) map += known(n) ? vekcodec::charForNum(n) : '_';
  return map;
}

// The shirt numbers of a sight-ordered list; numbers outside 1 to 11 have no
// place in the map and are left out.
std::string sightMap(const WMState::PlayerList& players) {
  std::string map(11, '_');
  for (const PlayerObject& p : players) {
    const Unum n = p.getUnum();
    if (n >= 1 && n <= 11) map[n - 1] = vekcodec::charForNum(int(n));
  }
  return map;
}

} // namespace

void WMState::logKnowledge() const {
  if (!dumpsWanted(CP)) return;
  std::ostringstream logline;
  auto flushLine = [&logline]() {
    traceLine(ZONE_WMSTATE, 20, logline.str());
    logline.str("");
  };

  logline << "View Mode: " << myViewWidth << "  Play Mode: " << playMode;
  flushLine();

  const PlayerObject& self = me();
  if (self.getAbsPosConf().valid())
    logline << "My Pos: " << self.getAbsPos() << " angle: " << double(self.getBodyAngle())
            << " rel_neck: " << double(self.getRelativeNeckAngle()) << " vel: " << self.getAbsVel()
            << " conf: " << self.getAbsPosConf() << " energy: " << self.getEnergy();
  else
    logline << "My Pos: (?, ?) angle: ? rel_neck: " << double(self.getRelativeNeckAngle());
  flushLine();

  if (ball.getAbsPosConf().valid() && ball.getAbsVelConf().valid()) {
    const Vector2D v = ball.getAbsVel();
    logline << "Ball Pos: " << ball.getAbsPos() << " conf: " << ball.getAbsPosConf()
            << " vel: " << v << " vconf: " << ball.getAbsVelConf() << " speed: " << v.length();
  } else if (ball.getAbsPosConf().valid()) {
    logline << "Ball Pos: " << ball.getAbsPos() << " conf: " << ball.getAbsPosConf()
            << " vel: (?, ?)";
  } else {
    logline << "Ball Pos: (?, ?)";
  }
  flushLine();

  // States that list players in sight order have no entry per number.
  auto ownKnown = [this](int n) {
    return std::size_t(n) < own.size() && getOwn(n).getAbsPosConf().valid();
  };
  auto oppKnown = [this](int n) {
    return std::size_t(n) < others.size() && getOthers(n).getAbsPosConf().valid();
  };
  logline << "Player pos known: team: " << numberMap(ownKnown) << "\topp: " << numberMap(oppKnown);
  flushLine();

  logline << "last TeamMsg at ";
  teammateMsg.getReceiveTime().dump(logline);
  logline << " from no. " << teammateMsg.getSenderUnum() << " (dir: "
          << double(teammateMsg.getSenderDirection()) << ") was " << teammateMsg.getMsgString();
  flushLine();

  logline << "last OppMsg at ";
  opponentMsg.getReceiveTime().dump(logline);
  logline << " from dir " << double(opponentMsg.getSenderDirection()) << " was "
          << opponentMsg.getMsgString();
  flushLine();
}

void WMState::logSights() const {
  if (!dumpsWanted(CP) || !sightInCurrentCycle) return;
  std::ostringstream logline;
  logline << "Sight at ";
  vekbase::Timer::currentTime().dump(logline);
  logline << ": " << (ball.getDirConf().valid(1.0) ? "B" : "_")
          << (ball.getDDistDDirConf().valid(1.0) ? "v" : "_") << " team: " << sightMap(own)
          << "\topp: " << sightMap(others);
  traceLine(ZONE_WMSTATE, 20, logline.str());
}

namespace {

// Draws one object: its circle (and, for a player of own or others, its label
// "G_" or "F_" and the shirt number) while its position is trusted, then its
// velocity line, five cycles long, while its velocity is trusted. factor
// mirrors the model's coordinates into the server's. A line whose level is
// not logged is not even built.
void drawObject(const MobileObject& o, const PlayerObject* labelled, double radius,
                const std::string& col, unsigned int zone, int factor) {
  if (o.getAbsPosConf().valid() && levelLogged(60)) {
    const Vector2D p = factor * o.getAbsPos();
    traceLine(zone, 60,
              vomar::Draw::draw(vomar::Draw::circle(float(p[0]), float(p[1]), float(radius), col)));
    if (labelled) {
      std::ostringstream label;
      label << (labelled->getGoalieP() == PlayerObject::t ? "G_" : "F_") << labelled->getUnum();
      const Vector2D at = factor * (o.getAbsPos() + Vector2D(0.0, 1.0));
      traceLine(zone, 60,
                vomar::Draw::draw(vomar::Draw::text(float(at[0]), float(at[1]), label.str())));
    }
  }
  if (o.getAbsVelConf().valid() && levelLogged(60)) {
    const Vector2D p = factor * o.getAbsPos();
    const Vector2D end = factor * (o.getAbsPos() + 5.0 * o.getAbsVel());
    traceLine(zone, 60,
              vomar::Draw::draw(vomar::Draw::line(float(p[0]), float(p[1]), float(end[0]),
                                                  float(end[1]), col)));
  }
}

} // namespace

void WMState::logWM() const {
  if (!CP->log_wm) return;
  traceLine(ZONE_WMSTATE, 50, "Drawing world model");
  // The monitor shows the server's coordinates, in which the right team
  // attacks towards -x.
  const int factor = mySide == l ? 1 : -1;
  for (const PlayerObject& p : own) drawObject(p, &p, 2.0, "ffcc00", ZONE_OWN, factor);
  for (const PlayerObject& p : others) drawObject(p, &p, 2.0, "ff0000", ZONE_OPP, factor);
  for (const PlayerObject& p : unknown) drawObject(p, nullptr, 2.0, "0000ff", ZONE_UNKNOWN, factor);
  drawObject(ball, nullptr, 1.0, "ff00ff", ZONE_WMSTATE, factor);
}

void WMState::logWMWithCol(std::string col) const {
  traceLine(ZONE_WMSTATE, 60, "Drawing world model with color " + col);
  for (const PlayerObject& p : own) drawObject(p, nullptr, 2.0, col, ZONE_WMSTATE, 1);
  for (const PlayerObject& p : others) drawObject(p, nullptr, 2.0, col, ZONE_WMSTATE, 1);
  for (const PlayerObject& p : unknown) drawObject(p, nullptr, 2.0, col, ZONE_WMSTATE, 1);
  drawObject(ball, nullptr, 1.0, col, ZONE_WMSTATE, 1);
}
