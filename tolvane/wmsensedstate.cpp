#include "tolvane/wmsensedstate.h"

#include <utility>

#include "tolvane/clientparam.h"
#include "vomarlog/forwarder.h"

namespace {

const unsigned int ZONE_SENSED = 1120;

std::ostream& errorLine(vomar::ForwarderStreamBuf::Priority prio) {
  return vomar::prefixedLine(prio, ZONE_SENSED);
}

// A player seen close enough for its number, its motion and where it faces.
PlayerObject closeSighting(Side side, Unum number, Value dist, vekbase::AngleDeg angle,
                           Value distchange, vekbase::AngleDeg anglechange,
                           vekbase::AngleDeg bodyDir, vekbase::AngleDeg neckDir,
                           PlayerObject::TriValLogic isGoalie, bool isTackling) {
  PlayerObject p;
  p.setTeam(side);
  p.setUnum(number);
  p.setDist(dist, 1.0);
  p.setDir(angle, 1.0);
  p.setDDistDDir(distchange, anglechange, 1.0);
  // Still relative to the observer's view; the merge of the sight turns
  // them into field directions.
  p.setBodyAngle(bodyDir, 1.0);
  p.setSeenHeadAngle(neckDir, 1.0);
  p.setGoalieP(isGoalie);
  p.setTackleP(isTackling);
  return p;
}

} // namespace

WMSensedState::WMSensedState() {}

WMSensedState::~WMSensedState() {}

WMState::PlayerList::iterator WMSensedState::getMe() { return own.begin(); }

WMState::PlayerList::const_iterator WMSensedState::getMe() const { return own.begin(); }

void WMSensedState::seeLine(LineObject::LineId id0, vekbase::AngleDeg angle) {
  LineObject line;
  line.setId(id0);
  line.setDir(angle, 1.0);
  seenLines.push_back(line);
}

void WMSensedState::seeLine(LineObject::LineId id0, Value dist, vekbase::AngleDeg angle) {
  seeLine(id0, angle);
  seenLines.back().setDist(dist, 1.0);
}

void WMSensedState::seeLine(LineObject::LineId id0, Value dist, vekbase::AngleDeg angle,
                            Value distchange, vekbase::AngleDeg anglechange) {
  seeLine(id0, dist, angle);
  seenLines.back().setDDistDDir(distchange, anglechange, 1.0);
}

// Appends a copy of the table entry of flag to the seen flags and returns
// it; null when the table has none (the table is not built, or the id names
// no flag), and the sighting is then dropped.
FlagObject* WMSensedState::addFlag(FlagObject::FlagId flag, bool checkId) {
  if (flag < 0 || std::size_t(flag) >= allFlags.size()) {
    errorLine(vomar::ForwarderStreamBuf::S_ERROR)
        << "ERROR: no flag " << int(flag) << " in the flag table, sighting dropped" << "\n";
    return nullptr;
  }
  const FlagObject& entry = allFlags[flag];
  if (checkId && entry.getId() != flag)
    errorLine(vomar::ForwarderStreamBuf::S_ERROR) << "ERROR: flagId should be " << int(flag)
                                                  << ", but is " << int(entry.getId()) << "\n";
  seenFlags.push_back(entry);
  seenFlags.back().setId(flag);
  return &seenFlags.back();
}

void WMSensedState::seeFlag(FlagObject::FlagId id0, vekbase::AngleDeg angle) {
  if (FlagObject* f = addFlag(id0, false)) f->setDir(angle, 1.0);
}

void WMSensedState::seeFlag(FlagObject::FlagId flag, Value dist, vekbase::AngleDeg angle) {
  if (FlagObject* f = addFlag(flag, true)) {
    f->setDist(dist, 1.0);
    f->setDir(angle, 1.0);
  }
}

void WMSensedState::seeFlag(FlagObject::FlagId flag, Value dist, vekbase::AngleDeg angle,
                            Value distchange, vekbase::AngleDeg anglechange) {
  if (FlagObject* f = addFlag(flag, true)) {
    f->setDist(dist, 1.0);
    f->setDir(angle, 1.0);
    f->setDDistDDir(distchange, anglechange, 1.0);
  }
}

void WMSensedState::seeBall(vekbase::AngleDeg angle) { ball.setDir(angle, 1.0); }

void WMSensedState::seeBall(Value dist, vekbase::AngleDeg angle) {
  ball.setDist(dist, 1.0);
  ball.setDir(angle, 1.0);
}

void WMSensedState::seeBall(Value dist, vekbase::AngleDeg angle, Value distchange,
                            vekbase::AngleDeg anglechange) {
  seeBall(dist, angle);
  ball.setDDistDDir(distchange, anglechange, 1.0);
}

// A player seen without a shirt number joins the unidentified ones.
PlayerObject& WMSensedState::addUnknown(Side side, vekbase::AngleDeg angle) {
  unknown.push_back(PlayerObject());
  PlayerObject& p = unknown.back();
  p.setTeam(side);
  p.setDir(angle, 1.0);
  return p;
}

void WMSensedState::seePlayer(vekbase::AngleDeg angle) { addUnknown(u, angle); }

void WMSensedState::seePlayer(Side side, vekbase::AngleDeg angle) { addUnknown(side, angle); }

void WMSensedState::seePlayer(Side side, Unum number, vekbase::AngleDeg angle) {
  PlayerObject p;
  p.setTeam(side);
  p.setUnum(number);
  p.setDir(angle, 1.0);
  addPlayer(p);
}

void WMSensedState::seePlayer(Value dist, vekbase::AngleDeg angle) {
  addUnknown(u, angle).setDist(dist, 1.0);
}

void WMSensedState::seePlayer(Side side, Value dist, vekbase::AngleDeg angle, bool isTackling) {
  PlayerObject& p = addUnknown(side, angle);
  p.setDist(dist, 1.0);
  p.setTackleP(isTackling);
}

void WMSensedState::seePlayer(Side side, Value dist, vekbase::AngleDeg angle,
                              vekbase::AngleDeg pointDir, bool isTackling) {
  seePlayer(side, dist, angle, isTackling);
  unknown.back().setPointDir(pointDir, 1.0);
}

void WMSensedState::seePlayer(Side side, Unum number, Value dist, vekbase::AngleDeg angle,
                              Value distchange, vekbase::AngleDeg anglechange,
                              vekbase::AngleDeg bodyDir, vekbase::AngleDeg neckDir,
                              PlayerObject::TriValLogic isGoalie, bool isTackling) {
  addPlayer(closeSighting(side, number, dist, angle, distchange, anglechange, bodyDir, neckDir,
                          isGoalie, isTackling));
}

void WMSensedState::seePlayer(Side side, Unum number, Value dist, vekbase::AngleDeg angle,
                              Value distchange, vekbase::AngleDeg anglechange,
                              vekbase::AngleDeg bodyDir, vekbase::AngleDeg neckDir,
                              vekbase::AngleDeg pointDir, PlayerObject::TriValLogic isGoalie,
                              bool isTackling) {
  PlayerObject p = closeSighting(side, number, dist, angle, distchange, anglechange, bodyDir,
                                 neckDir, isGoalie, isTackling);
  p.setPointDir(pointDir, 1.0);
  addPlayer(p);
}

// A player seen with a shirt number joins its team's list. The merge indexes
// the persistent model with that number, so a number no shirt carries makes
// the player an unidentified one.
void WMSensedState::addPlayer(const PlayerObject& p) {
  if (!isShirtNumber(p.getUnum())) {
    errorLine(vomar::ForwarderStreamBuf::S_WARNING)
        << "seePlayer: shirt number " << p.getUnum()
        << " out of range, kept as unidentified player" << "\n";
    PlayerObject anonymous(p);
    anonymous.setUnum(0);
    unknown.push_back(anonymous);
    return;
  }
  if (p.getTeam() == mySide) {
    own.push_back(p);
    if (p.getGoalieP() == PlayerObject::t) setOurGoalie(p.getUnum());
  } else {
    others.push_back(p);
    if (p.getGoalieP() == PlayerObject::t) setOppGoalie(p.getUnum());
  }
}

// The body values arrive after clearData, which makes sure the agent's
// entry exists; before the first sense_body there may be none.
void WMSensedState::setStamina(Value stam) {
  if (!own.empty()) getMe()->setStamina(stam);
}

void WMSensedState::setEffort(Value eff) {
  if (!own.empty()) getMe()->setEffort(eff);
}

void WMSensedState::setMyRelativeNeckAngle(vekbase::AngleDeg angle) {
  if (!own.empty()) getMe()->setRelativeNeckAngle(angle);
}

void WMSensedState::setMySpeed(Value speed, vekbase::AngleDeg dir) {
  mySpeed = speed;
  mySpeedDir = dir;
}

void WMSensedState::clearData() {
  seenFlags.clear();
  seenLines.clear();
  ball.invalidate();
  if (own.empty())
    own.push_back(PlayerObject());
  else
    own.erase(own.begin() + 1, own.end());
  others.clear();
  unknown.clear();
  sightInCurrentCycle = false;
}

void WMSensedState::setScores(int mine, int theirs) {
  myScore = mine;
  theirScore = theirs;
}

void WMSensedState::setSide(const Side& ourSide) {
  mySide = ourSide;
  PlayMode::setSide(ourSide);
  theirSide = otherSide(ourSide);
}

void WMSensedState::initWM(Unum n, Side s) {
  if (!isShirtNumber(n)) {
    errorLine(vomar::ForwarderStreamBuf::S_ERROR)
        << "initWM: shirt number " << n << " out of range, number left unknown" << "\n";
    n = 0;
  }
  myUnum = n;
  setSide(s);
  PlayerObject self;
  self.setTeam(s);
  self.setUnum(n);
  // A reconnect reply comes after the first init: its entry replaces the old
  // one, so that getMe() tells the new number and side.
  if (own.empty())
    own.push_back(self);
  else
    own.front() = self;
  if (CP->goalie()) {
    if (myUnum != 0) setOurGoalie(myUnum);
    getMe()->setGoalieP(PlayerObject::t);
  } else {
    getMe()->setGoalieP(PlayerObject::f);
  }
  initFlags(s);
  sightInCurrentCycle = false;
}

void WMSensedState::putNearestFlagToFront() {
  if (seenFlags.empty()) return;
  std::size_t candidate = seenFlags.size();
  double bound = 999.9;
  for (std::size_t i = 0; i < seenFlags.size(); ++i) {
    if (seenFlags[i].getDist() < bound) {
      candidate = i;
      bound = seenFlags[i].getDist();
    }
  }
  if (candidate < seenFlags.size()) std::swap(seenFlags[0], seenFlags[candidate]);
}
