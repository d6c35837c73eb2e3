// Text dumps and monitor drawings of a world-model state, for debugging.

#include <sstream>
#include <string>

#include "tolvane/clientparam.h"
#include "tolvane/wmstate.h"
#include "tolvane/wmtrace.h"
#include "tolvanebase/vekmath.h"
#include "vomarlog/vomardraw.h"

namespace {

const unsigned int ZONE_WMSTATE = 1150;
const unsigned int ZONE_OWN = 1151;
const unsigned int ZONE_OPP = 1152;
const unsigned int ZONE_UNKNOWN = 1153;

// A line of the dumps, or null when their level is not logged.
std::ostream* dumpLine() { return wmTrace(ZONE_WMSTATE, 20); }

// A line of the drawings in zone, or null when their level is not logged.
std::ostream* drawLine(unsigned int zone) { return wmTrace(zone, 60); }

// The dumps are written only for a client log level of at least 100.
bool dumpsWanted(const ClientParam* cp) { return cp->log_level >= 100; }

// One character per shirt number 1 to 11 of a list indexed by number: the
// number's character where the entry's position is known, "_" elsewhere.
// States that list players in sight order have no entry per number; what
// such a list does not hold counts as not known.
std::string knownMap(const WMState::PlayerList& team) {
  std::string map;
  for (std::size_t n = 1; n <= 11; ++n)
    map += n < team.size() && team[n].getAbsPosConf().valid() ? vekcodec::charForNum(int(n)) : '_';
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
  if (std::ostream* o = dumpLine())
    *o << "View Mode: " << myViewWidth << "  Play Mode: " << playMode << "\n";

  const PlayerObject& self = me();
  if (std::ostream* o = dumpLine()) {
    if (self.getAbsPosConf().valid())
      *o << "My Pos: " << self.getAbsPos() << " angle: " << double(self.getBodyAngle())
         << " rel_neck: " << double(self.getRelativeNeckAngle()) << " vel: " << self.getAbsVel()
         << " conf: " << self.getAbsPosConf() << " energy: " << self.getEnergy();
    else
      *o << "My Pos: (?, ?) angle: ? rel_neck: " << double(self.getRelativeNeckAngle());
    *o << "\n";
  }

  if (std::ostream* o = dumpLine()) {
    if (!ball.getAbsPosConf().valid()) {
      *o << "Ball Pos: (?, ?)";
    } else {
      *o << "Ball Pos: " << ball.getAbsPos() << " conf: " << ball.getAbsPosConf() << " vel: ";
      const Vector2D& v = ball.getAbsVel();
      if (ball.getAbsVelConf().valid())
        *o << v << " vconf: " << ball.getAbsVelConf() << " speed: " << v.length();
      else
        *o << "(?, ?)";
    }
    *o << "\n";
  }

  if (std::ostream* o = dumpLine())
    *o << "Player pos known: team: " << knownMap(own) << "\topp: " << knownMap(others) << "\n";

  if (std::ostream* o = dumpLine()) {
    *o << "last TeamMsg at ";
    teammateMsg.getReceiveTime().dump(*o);
    *o << " from no. " << teammateMsg.getSenderUnum() << " (dir: "
       << double(teammateMsg.getSenderDirection()) << ") was " << teammateMsg.getMsgString()
       << "\n";
  }

  if (std::ostream* o = dumpLine()) {
    *o << "last OppMsg at ";
    opponentMsg.getReceiveTime().dump(*o);
    *o << " from dir " << double(opponentMsg.getSenderDirection()) << " was "
       << opponentMsg.getMsgString() << "\n";
  }
}

void WMState::logSights() const {
  if (!dumpsWanted(CP) || !sightInCurrentCycle) return;
  std::ostream* o = dumpLine();
  if (!o) return;
  *o << "Sight at ";
  vekbase::Timer::currentTime().dump(*o);
  *o << ": " << (ball.getDirConf().valid(1.0) ? "B" : "_")
     << (ball.getDDistDDirConf().valid(1.0) ? "v" : "_") << " team: " << sightMap(own)
     << "\topp: " << sightMap(others) << "\n";
}

namespace {

// Draws one object: its circle (and, for a player of own or others, its label
// "G_" or "F_" and the shirt number) while its position is trusted, then its
// velocity line, five cycles long, while its velocity is trusted. factor
// mirrors the model's coordinates into the server's. A line whose level is
// not logged is not even built.
void drawObject(const MobileObject& o, const PlayerObject* labelled, double radius,
                const std::string& col, unsigned int zone, int factor) {
  if (o.getAbsPosConf().valid()) {
    if (std::ostream* out = drawLine(zone)) {
      const Vector2D p = factor * o.getAbsPos();
      *out << vomar::Draw::draw(vomar::Draw::circle(float(p[0]), float(p[1]), float(radius), col))
           << "\n";
    }
    if (labelled) {
      if (std::ostream* out = drawLine(zone)) {
        std::ostringstream label;
        label << (labelled->getGoalieP() == PlayerObject::t ? "G_" : "F_") << labelled->getUnum();
        const Vector2D at = factor * (o.getAbsPos() + Vector2D(0.0, 1.0));
        *out << vomar::Draw::draw(vomar::Draw::text(float(at[0]), float(at[1]), label.str()))
             << "\n";
      }
    }
  }
  if (o.getAbsVelConf().valid()) {
    if (std::ostream* out = drawLine(zone)) {
      const Vector2D p = factor * o.getAbsPos();
      const Vector2D end = factor * (o.getAbsPos() + 5.0 * o.getAbsVel());
      *out << vomar::Draw::draw(vomar::Draw::line(float(p[0]), float(p[1]), float(end[0]),
                                                  float(end[1]), col))
           << "\n";
    }
  }
}

} // namespace

void WMState::logWM() const {
  if (!CP->log_wm) return;
  if (std::ostream* o = wmTrace(ZONE_WMSTATE, 50)) *o << "Drawing world model" << "\n";
  // The monitor shows the server's coordinates, in which the right team
  // attacks towards -x.
  const int factor = mySide == l ? 1 : -1;
  for (const PlayerObject& p : own) drawObject(p, &p, 2.0, "ffcc00", ZONE_OWN, factor);
  for (const PlayerObject& p : others) drawObject(p, &p, 2.0, "ff0000", ZONE_OPP, factor);
  for (const PlayerObject& p : unknown) drawObject(p, nullptr, 2.0, "0000ff", ZONE_UNKNOWN, factor);
  drawObject(ball, nullptr, 1.0, "ff00ff", ZONE_WMSTATE, factor);
}

void WMState::logWMWithCol(std::string col) const {
  if (std::ostream* o = drawLine(ZONE_WMSTATE))
    *o << "Drawing world model with color " << col << "\n";
  for (const PlayerObject& p : own) drawObject(p, nullptr, 2.0, col, ZONE_WMSTATE, 1);
  for (const PlayerObject& p : others) drawObject(p, nullptr, 2.0, col, ZONE_WMSTATE, 1);
  for (const PlayerObject& p : unknown) drawObject(p, nullptr, 2.0, col, ZONE_WMSTATE, 1);
  drawObject(ball, nullptr, 1.0, col, ZONE_WMSTATE, 1);
}
