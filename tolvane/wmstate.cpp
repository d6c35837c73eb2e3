#include "tolvane/wmstate.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "tolvane/actuator.h"
#include "tolvane/clientparam.h"
#include "tolvane/formations/formation.h"
#include "tolvane/formations/formationparam.h"
#include "tolvane/playertypeparam.h"
#include "tolvane/serverparam.h"
#include "tolvane/wmtrace.h"

std::vector<FlagObject> WMState::allFlags;
bool WMState::flagsInitialized = false;

namespace {

const unsigned int ZONE_WMSTATE = 1150;

struct FlagEntry {
  FlagObject::FlagId id;
  const char* name;
  double x;
  double y;
};

// The field's landmarks for side l, in id order; y grows towards the bottom
// touch line.
const FlagEntry flagTable[] = {
    {FlagObject::Flag_C, "(f c)", 0.0, 0.0},
    {FlagObject::Flag_CT, "(f c t)", 0.0, -34.0},
    {FlagObject::Flag_CB, "(f c b)", 0.0, 34.0},
    {FlagObject::Flag_LT, "(f l t)", -52.5, -34.0},
    {FlagObject::Flag_LB, "(f l b)", -52.5, 34.0},
    {FlagObject::Flag_RT, "(f r t)", 52.5, -34.0},
    {FlagObject::Flag_RB, "(f r b)", 52.5, 34.0},
    {FlagObject::Flag_PLT, "(f p l t)", -36.0, -20.16},
    {FlagObject::Flag_PLC, "(f p l c)", -36.0, 0.0},
    {FlagObject::Flag_PLB, "(f p l b)", -36.0, 20.16},
    {FlagObject::Flag_PRT, "(f p r t)", 36.0, -20.16},
    {FlagObject::Flag_PRC, "(f p r c)", 36.0, 0.0},
    {FlagObject::Flag_PRB, "(f p r b)", 36.0, 20.16},
    {FlagObject::Flag_GLT, "(f g l t)", -52.5, -7.01},
    {FlagObject::Flag_GLB, "(f g l b)", -52.5, 7.01},
    {FlagObject::Flag_GRT, "(f g r t)", 52.5, -7.01},
    {FlagObject::Flag_GRB, "(f g r b)", 52.5, 7.01},
    {FlagObject::Flag_GL, "(g l)", -52.5, 0.0},
    {FlagObject::Flag_GR, "(g r)", 52.5, 0.0},
    {FlagObject::Flag_TL50, "(f t l 50)", -50.0, -39.0},
    {FlagObject::Flag_TL40, "(f t l 40)", -40.0, -39.0},
    {FlagObject::Flag_TL30, "(f t l 30)", -30.0, -39.0},
    {FlagObject::Flag_TL20, "(f t l 20)", -20.0, -39.0},
    {FlagObject::Flag_TL10, "(f t l 10)", -10.0, -39.0},
    {FlagObject::Flag_T0, "(f t 0)", 0.0, -39.0},
    {FlagObject::Flag_TR10, "(f t r 10)", 10.0, -39.0},
    {FlagObject::Flag_TR20, "(f t r 20)", 20.0, -39.0},
    {FlagObject::Flag_TR30, "(f t r 30)", 30.0, -39.0},
    {FlagObject::Flag_TR40, "(f t r 40)", 40.0, -39.0},
    {FlagObject::Flag_TR50, "(f t r 50)", 50.0, -39.0},
    {FlagObject::Flag_BL50, "(f b l 50)", -50.0, 39.0},
    {FlagObject::Flag_BL40, "(f b l 40)", -40.0, 39.0},
    {FlagObject::Flag_BL30, "(f b l 30)", -30.0, 39.0},
    {FlagObject::Flag_BL20, "(f b l 20)", -20.0, 39.0},
    {FlagObject::Flag_BL10, "(f b l 10)", -10.0, 39.0},
    {FlagObject::Flag_B0, "(f b 0)", 0.0, 39.0},
    {FlagObject::Flag_BR10, "(f b r 10)", 10.0, 39.0},
    {FlagObject::Flag_BR20, "(f b r 20)", 20.0, 39.0},
    {FlagObject::Flag_BR30, "(f b r 30)", 30.0, 39.0},
    {FlagObject::Flag_BR40, "(f b r 40)", 40.0, 39.0},
    {FlagObject::Flag_BR50, "(f b r 50)", 50.0, 39.0},
    {FlagObject::Flag_LT30, "(f l t 30)", -57.5, -30.0},
    {FlagObject::Flag_LT20, "(f l t 20)", -57.5, -20.0},
    {FlagObject::Flag_LT10, "(f l t 10)", -57.5, -10.0},
    {FlagObject::Flag_L0, "(f l 0)", -57.5, 0.0},
    {FlagObject::Flag_LB10, "(f l b 10)", -57.5, 10.0},
    {FlagObject::Flag_LB20, "(f l b 20)", -57.5, 20.0},
    {FlagObject::Flag_LB30, "(f l b 30)", -57.5, 30.0},
    {FlagObject::Flag_RT30, "(f r t 30)", 57.5, -30.0},
    {FlagObject::Flag_RT20, "(f r t 20)", 57.5, -20.0},
    {FlagObject::Flag_RT10, "(f r t 10)", 57.5, -10.0},
    {FlagObject::Flag_R0, "(f r 0)", 57.5, 0.0},
    {FlagObject::Flag_RB10, "(f r b 10)", 57.5, 10.0},
    {FlagObject::Flag_RB20, "(f r b 20)", 57.5, 20.0},
    {FlagObject::Flag_RB30, "(f r b 30)", 57.5, 30.0},
};

} // namespace

WMState::WMState()
    : ball(), arm(), myUnum(0), mySide(u), theirSide(u), mySpeed(0.0), mySpeedDir(0.0),
      tackleBan(0), myScore(0), theirScore(0), myViewWidth(vekbase::ViewWidth::S_normal),
      myViewQuality(vekbase::ViewQuality::S_high), playMode(), SP(nullptr), CP(nullptr),
      PT(nullptr), FP(nullptr), sightInCurrentCycle(false),
      knowTheirGoalie(false), oppGoalieNo(0), knowOurGoalie(false), ourGoalieNo(0),
      penaltyKickSide(u) {
  SP = ServerParam::instance();
  PT = PlayertypeParam::instance(1);
  CP = ClientParam::instance();
  FP = Formations::FormationParam::instance();
  own.reserve(ServerParam::max_players + 1);
  others.reserve(ServerParam::max_players + 1);
  unknown.reserve(2 * ServerParam::max_players + 1);
  ownSeeTime.assign(ServerParam::max_players + 1, vekbase::Timer(-1, 0));
  othersSeeTime.assign(ServerParam::max_players + 1, vekbase::Timer(-1, 0));
  seenFlags.reserve(ServerParam::max_flags);
  seenLines.reserve(ServerParam::max_lines);
}

WMState::~WMState() {}

WMState::PlayerList::iterator WMState::getMe() {
  if (myUnum < own.size()) return own.begin() + myUnum;
  return own.begin();
}

WMState::PlayerList::const_iterator WMState::getMe() const {
  if (myUnum < own.size()) return own.begin() + myUnum;
  return own.begin();
}

const PlayerObject& WMState::me() const {
  PlayerList::const_iterator it = getMe();
  if (it == own.end()) {
    static const PlayerObject nobody;
    return nobody;
  }
  return *it;
}

std::vector<FlagObject> WMState::fieldFlags() {
  std::vector<FlagObject> flags;
  flags.reserve(std::size(flagTable));
  for (const FlagEntry& e : flagTable) flags.push_back(FlagObject(e.id, e.name, e.x, e.y));
  return flags;
}

void WMState::initFlags(Side s) {
  if (flagsInitialized) return;
  allFlags = fieldFlags();
  if (s == r) {
    vomar::prefixedLine(vomar::ForwarderStreamBuf::S_NORMAL, ZONE_WMSTATE)
        << "playing right, reversing coordinates" << "\n";
    for (FlagObject& f : allFlags) {
      const Vector2D p = f.getAbsPos();
      f.setAbsPos(Vector2D(-p[0], -p[1]));
    }
  }
  flagsInitialized = true;
}

bool WMState::getPlayer(char side, int index, PlayerObject& player) const {
  if ((side != 'l' && side != 'r') || index < 1 || index > ServerParam::max_players) return false;
  const bool ours = (side == 'l' && mySide == l) || (side == 'r' && mySide == r);
  const PlayerList& team = ours ? own : others;
  // A state that lists players in sight order holds no entry per number.
  if (std::size_t(index) >= team.size()) return false;
  player = team[index];
  return true;
}

FlagObject WMState::getFlag(FlagObject::FlagId id) const {
  for (const FlagObject& f : allFlags)
    if (f.getId() == id) return f;
  return FlagObject(FlagObject::No_Flag, "unknown", 0.0, 0.0);
}

bool WMState::isShirtNumber(Unum n) {
  return n >= 1 && n <= Unum(ServerParam::max_players);
}

void WMState::setViewMode(vekbase::ViewQuality::Quality q, vekbase::ViewWidth::Width w) {
  myViewQuality.set(q);
  myViewWidth.set(w);
}

void WMState::setArm(int movable, int expires, Value dist, vekbase::AngleDeg dir) {
  arm.setPointDuration(expires);
  arm.setImmobileDuration(movable);
  arm.setTarget(dist, dir);
}

void WMState::setOppGoalie(Unum gn) {
  oppGoalieNo = gn;
  knowTheirGoalie = true;
}

void WMState::setOurGoalie(Unum gn) {
  ourGoalieNo = gn;
  knowOurGoalie = true;
}

vekbase::AngleDeg WMState::angleToFromBody(Vector2D p) const {
  const Vector2D d = p - myPosition();
  return vekbase::AngleDeg(d.angle(Vector2D(1.0, 0.0), vekmath::DEG)) - myBodyAngle();
}

vekbase::AngleDeg WMState::ballAngleFromBody() const {
  return ball.getDir() + myRelativeNeckAngle();
}

vekbase::AngleDeg WMState::ballRelativeToBodyHeading() const {
  const double heading = ball.getAbsVel().angle(Vector2D(1.0, 0.0), vekmath::DEG);
  return vekbase::AngleDeg(heading) - myBodyAngle();
}

Vector2D WMState::ballRelativeToBodyVel() const {
  const Vector2D polar(ball.getAbsVel().length(), double(ballRelativeToBodyHeading()));
  return polar.cart(vekmath::DEG);
}

std::ostream& operator<<(std::ostream& ostr, const WMState& wm) {
  ostr << "I am " << sideLabel(wm.mySide) << " " << wm.myUnum << "." << std::endl;
  ostr << "Ball: " << wm.ball << std::endl;
  ostr << "Playmode: " << wm.playMode << std::endl;
  ostr << "seen Flags:" << std::endl;
  for (const FlagObject& f : wm.seenFlags) ostr << f << std::endl;
  ostr << "seen Lines:" << std::endl;
  for (const LineObject& line : wm.seenLines) ostr << line << std::endl;
  ostr << "Armdevice: " << wm.arm << std::endl;
  ostr << "known Teammates:" << std::endl;
  ostr << " Me: " << std::endl;
  WMState::PlayerList::const_iterator me = wm.getMe();
  if (me == wm.own.end())
    ostr << "no entry for the agent yet" << std::endl;
  else
    ostr << *me << std::endl;
  return ostr;
}

// ---- Ball and play-mode predicates ----

namespace {

// A trace line of the queries, or null when the level is not logged.
std::ostream* queryLine(unsigned short level) { return wmTrace(ZONE_WMSTATE, level); }

void traceResult(const char* what, bool result, unsigned short level) {
  if (std::ostream* o = queryLine(level))
    *o << what << " : " << (result ? "true" : "false") << "\n";
}

// A player standing exactly on a position must not make the sum infinite.
const double minSquaredDistance = 1.0e-4;

} // namespace

Value WMState::kickableDistance(PTypeIndex type) const {
  return PT->kickableMargin(type) + PT->playerSize(type) + SP->bsize;
}

bool WMState::isCatchBanActive() const {
  const vekbase::Timer lastCatch = Actuator::instance()->getLastCatchTime();
  // In wide arithmetic: a catch at a cycle near the end of int's range must
  // not wrap the ban's end around.
  const bool active = vekbase::Timer::currentTime().serverTime() <
                      static_cast<long long>(lastCatch.serverTime()) + SP->cban_cycle;
  traceResult("isCatchBanActive()", active, 40);
  return active;
}

bool WMState::isBallCatchable() const {
  const bool catchable = CP->goalie() && !isCatchBanActive() &&
                         getPlayMode() == PlayMode::Play_On &&
                         isInOurPenaltyArea(me().getAbsPos()) && ball.getDistConf().valid() &&
                         ball.getDist() <= SP->catch_area_l;
  traceResult("isBallCatchable()", catchable, 30);
  return catchable;
}

bool WMState::willCatchBallSafer(Value margin) const {
  const PlayerObject& self = me();
  bool safer = false;
  Vector2D posPred = self.predictedPosition(1);
  const Vector2D posBall = ball.predictedPosition(1);
  const Value reach = SP->catch_area_l - margin;
  if (!(ball.getDist() < reach) && ball.getDistConf().valid() && isInOurPenaltyArea(posPred) &&
      isInOurPenaltyArea(posBall) &&
      ball.getDist() < SP->bspeed_max + PT->playerSpeedMax(self.getPlayerType()) + reach) {
    const vekspace::Line2D lineGoalie(posPred, self.getBodyAngle());
    const Vector2D posClosestToBall = lineGoalie.getPointOnLineClosestTo(posBall);
    const Value dPower = self.getPowerForDash(posClosestToBall - posPred, false);
    posPred = self.predictedPosition(dPower, 1);
    safer = posPred.dist(posBall) < reach;
  }
  traceResult("willCatchBallSafer()", safer, 30);
  return safer;
}

bool WMState::isBallKickable() const {
  const bool kickable =
      ball.getDistConf().valid() && ball.getDist() < kickableDistance(me().getPlayerType());
  traceResult("isBallKickable()", kickable, 30);
  if (std::ostream* o = queryLine(40)) *o << "ball distance is " << ball.getDist() << "\n";
  return kickable;
}

bool WMState::isBallKickableForPlayer(Side s, Unum u, Value safetyArea) const {
  if (!ball.getAbsPosConf().valid()) return false;
  const PlayerList& team = s == mySide ? own : others;
  // The number comes from the agent program; a list without that entry
  // holds no such player.
  if (u >= team.size()) return false;
  const PlayerObject& player = team[u];
  if (!player.getAbsPosConf().valid()) return false;
  const Value dist = player.getAbsPos().dist(ball.getAbsPos());
  const bool kickable = dist < kickableDistance(player.getPlayerType()) - safetyArea;
  traceResult("isBallKickable()", kickable, 30);
  if (std::ostream* o = queryLine(40)) *o << "ball distance is " << dist << "\n";
  return kickable;
}

bool WMState::willBallBeKickable(int steps, Value dashPower, Value buffer) const {
  const Vector2D predBallPos = ball.predictedPosition(steps);
  const Vector2D myPredPos = me().predictedPosition(dashPower, steps);
  const bool kickable =
      myPredPos.dist(predBallPos) <= kickableDistance(me().getPlayerType()) - buffer;
  traceResult("willBallBeKickable()", kickable, 30);
  return kickable;
}

vekspace::RectRegion WMState::getOurPenaltyArea() const {
  static const vekspace::RectRegion area(Vector2D(-52.5, -20.16), Vector2D(-36.0, 20.16));
  return area;
}

bool WMState::isInOurPenaltyArea(const Vector2D& p) const {
  if (std::ostream* o = queryLine(50)) *o << "isInOurPenaltyArea(" << p << ")" << "\n";
  return getOurPenaltyArea().in(p);
}

bool WMState::isDeadBallUs() const {
  const PlayMode::PlayModeType m = getPlayMode();
  return m == PlayMode::My_Free_Kick || m == PlayMode::My_Kick_In ||
         m == PlayMode::My_Corner_Kick || m == PlayMode::My_Kick_Off;
}

bool WMState::isDeadBallThem() const {
  const PlayMode::PlayModeType m = getPlayMode();
  return m == PlayMode::Their_Free_Kick || m == PlayMode::Their_Kick_In ||
         m == PlayMode::Their_Corner_Kick || m == PlayMode::Their_Kick_Off;
}

// ---- Offside line ----

Value WMState::getOffsideLine() const {
  Value last = 0.0;
  Value lastButOne = 0.0;
  for (std::size_t i = 1; i <= std::size_t(ServerParam::max_players) && i < others.size(); ++i) {
    if (!others[i].getAbsPosConf().valid()) continue;
    const Value x = others[i].getAbsPos()[0];
    if (x > last) {
      lastButOne = last;
      last = x;
    } else if (lastButOne < x && x < last) {
      lastButOne = x;
    }
  }
  Value offsideLine = lastButOne;
  if (ball.getAbsPos()[0] > offsideLine) offsideLine = ball.getAbsPos()[0];
  return offsideLine;
}

bool WMState::offside(const PlayerObject& player) const {
  const Value x = player.getAbsPos()[0];
  return x > 0.0 && x > getOffsideLine();
}

// ---- Team positions and the race to the ball ----

namespace {

// Stands for a player who cannot reach the target.
const Value max_t = 999.0;

// Of the numbers from first to last - 1 that place() puts somewhere (it
// returns false for those to leave out), the one nearest pos; 0 and dist -1
// when there is none. Ties go to the lower number.
template <class Place>
Unum nearestNumber(std::size_t first, std::size_t last, const Vector2D& pos, Value& dist,
                   Place place) {
  dist = -1.0;
  Unum best = 0;
  Vector2D at;
  for (std::size_t i = first; i < last; ++i) {
    if (!place(i, at)) continue;
    const Value d = pos.dist(at);
    if (dist < 0.0 || d < dist) {
      dist = d;
      best = Unum(i);
    }
  }
  return best;
}

// Lowers minT and sets who when p can reach target sooner.
void tryInterceptor(const PlayerObject& p, const MobileObject& target, Value& minT, Unum& who) {
  if (!p.getAbsPosConf().valid()) return;
  Value t = 0.0;
  p.newtonMethod(target, t);
  if (t < minT) {
    minT = t;
    who = p.getUnum();
  }
}

// The least interception time of target over one team: the players of its
// list and the unidentified ones whose side ofTeam accepts; who is set to
// the player achieving it and left alone when nobody can reach the target
// (max_t). The chased player, when there is one, takes no part itself.
template <class OfTeam>
Value fastestOfTeam(const MobileObject& target, const PlayerObject* chased,
                    const WMState::PlayerList& team, const WMState::PlayerList& unknown,
                    OfTeam ofTeam, Unum& who) {
  Value minT = max_t;
  for (const PlayerObject& p : team)
    if (!chased || p.getUnum() != chased->getUnum()) tryInterceptor(p, target, minT, who);
  for (const PlayerObject& p : unknown) {
    if (chased && p.getUnum() == chased->getUnum() && p.getTeam() == chased->getTeam()) continue;
    if (ofTeam(p.getTeam())) tryInterceptor(p, target, minT, who);
  }
  return minT;
}

// The result of a search over the ball's interceptors, kept for the rest of
// the simulation time it was made in.
class CycleResult {
public:
  template <class Search>
  Value get(Unum& who, Search search) {
    if (madeAt == vekbase::Timer::currentTime()) {
      who = fastest;
      return time;
    }
    time = search(who);
    fastest = who;
    madeAt = vekbase::Timer::currentTime();
    return time;
  }

private:
  vekbase::Timer madeAt{0, 0};
  Unum fastest = 0;
  Value time = 0.0;
};

// Where the current formation puts shirt u for the ball's position (the
// centre spot while it is unknown) and the offside line maxX.
Vector2D formationPosition(const Formations::FormationParam* fp, const BallObject& ball, Unum u,
                           Value maxX) {
  const Vector2D ballPos = ball.getAbsPosConf().valid() ? ball.getAbsPos() : Vector2D(0.0, 0.0);
  return fp->currentFormation().strategicPosition(u, ballPos, maxX);
}

// The faster of the two teams' best; a tie goes to the opponents.
Value fasterTeam(Value tTm, Unum uTm, Value tOpp, Unum uOpp, Unum& who, bool& my_team) {
  my_team = tOpp > tTm;
  who = my_team ? uTm : uOpp;
  return my_team ? tTm : tOpp;
}

} // namespace

Side WMState::teamWithBall() const {
  if (!ball.getAbsPosConf().valid() || mySide == u) return u;
  Unum fastest = 0;
  bool ourTeam = false;
  getFastestPlayerToBall(fastest, ourTeam);
  return ourTeam ? mySide : theirSide;
}

Vector2D WMState::getStrategicPosition(Unum u) const {
  if (u > Unum(ServerParam::max_players)) {
    vomar::prefixedLine(vomar::ForwarderStreamBuf::S_WARNING, ZONE_WMSTATE)
        << "getStrategicPosition: no player number " << u << "\n";
    return Vector2D(0.0, 0.0);
  }
  const Value maxX = getOffsideLine();
  if (u == 0) u = myUnum;
  return formationPosition(FP, ball, u, maxX);
}

int WMState::cyclesSinceLastCatch() const {
  return (vekbase::Timer::currentTime() - Actuator::instance()->getLastCatchTime()).serverTime();
}

int WMState::cyclesSinceLastTackle() const {
  return (vekbase::Timer::currentTime() - Actuator::instance()->getLastTackleTime()).serverTime();
}

Unum WMState::getClosestTeammateTo(Value& dist, const Vector2D& pos, bool myself,
                                   bool goalie) const {
  return nearestNumber(1, own.size(), pos, dist, [&](std::size_t i, Vector2D& at) {
    if (!goalie && knowOurGoalie && i == ourGoalieNo) return false;
    if (!myself && i == myUnum) return false;
    if (!own[i].getAbsPosConf().valid()) return false;
    at = own[i].getAbsPos();
    return true;
  });
}

Unum WMState::getClosestOpponentTo(Value& dist, const Vector2D& pos, bool goalie) const {
  return nearestNumber(1, others.size(), pos, dist, [&](std::size_t i, Vector2D& at) {
    if (!goalie && knowTheirGoalie && i == oppGoalieNo) return false;
    if (!others[i].getAbsPosConf().valid()) return false;
    at = others[i].getAbsPos();
    return true;
  });
}

Unum WMState::getClosestStrategicPositionTo(Value& dist, const Vector2D& pos, bool myself,
                                            bool goalie) const {
  // The offside line is the same for every number.
  const Value maxX = getOffsideLine();
  return nearestNumber(1, 11, pos, dist, [&](std::size_t i, Vector2D& at) {
    if (!goalie && knowOurGoalie && i == ourGoalieNo) return false;
    if (!myself && i == myUnum) return false;
    at = formationPosition(FP, ball, Unum(i), maxX);
    return true;
  });
}

Value WMState::getFastestTeammateToBall(Unum& u) const {
  static CycleResult teammate;
  return teammate.get(u, [&](Unum& who) {
    const Side me_side = me().getTeam();
    const Value minT = fastestOfTeam(ball, nullptr, own, unknown,
                                     [&](Side s) { return s == me_side; }, who);
    if (!(minT < max_t)) who = myUnum;
    return minT;
  });
}

Value WMState::getFastestOpponentToBall(Unum& unum) const {
  static CycleResult opponent;
  return opponent.get(unum, [&](Unum& who) {
    who = 0;
    const Side me_side = me().getTeam();
    return fastestOfTeam(ball, nullptr, others, unknown,
                         [&](Side s) { return s != me_side && s != u; }, who);
  });
}

Value WMState::getFastestPlayerToBall(Unum& u, bool& my_team) const {
  Unum uTm = 0, uOpp = 0;
  const Value tTm = getFastestTeammateToBall(uTm);
  const Value tOpp = getFastestOpponentToBall(uOpp);
  return fasterTeam(tTm, uTm, tOpp, uOpp, u, my_team);
}

Value WMState::getFastestTeammateToPlayer(const PlayerObject& obj, Unum& u) const {
  const Side me_side = me().getTeam();
  const Value minT = fastestOfTeam(obj, &obj, own, unknown,
                                   [&](Side s) { return s == me_side; }, u);
  if (!(minT < max_t)) u = myUnum;
  return minT;
}

Value WMState::getFastestOpponentToPlayer(const PlayerObject& obj, Unum& unum) const {
  unum = 0;
  const Side me_side = me().getTeam();
  return fastestOfTeam(obj, &obj, others, unknown,
                       [&](Side s) { return s != me_side && s != u; }, unum);
}

Value WMState::getFastestPlayerToPlayer(const PlayerObject& obj, Unum& u, bool& my_team) const {
  Unum uTm = 0, uOpp = 0;
  const Value tTm = getFastestTeammateToPlayer(obj, uTm);
  const Value tOpp = getFastestOpponentToPlayer(obj, uOpp);
  return fasterTeam(tTm, uTm, tOpp, uOpp, u, my_team);
}

bool WMState::isFastestPlayerToBall() const {
  Unum fastest = 0;
  bool ourTeam = false;
  getFastestPlayerToBall(fastest, ourTeam);
  return fastest == me().getUnum() && ourTeam;
}

bool WMState::isFastestPlayerToPlayer(const PlayerObject& obj) const {
  Unum fastest = 0;
  bool ourTeam = false;
  getFastestPlayerToPlayer(obj, fastest, ourTeam);
  return fastest == me().getUnum() && ourTeam;
}

bool WMState::isFastestTeammateToBall() const {
  Unum fastest = 0;
  getFastestTeammateToBall(fastest);
  if (std::ostream* o = queryLine(40)) *o << "isFastestTeammateToBall: " << fastest << "\n";
  return fastest == me().getUnum();
}

bool WMState::isFastestTeammateToPlayer(const PlayerObject& obj) const {
  Unum fastest = 0;
  getFastestTeammateToPlayer(obj, fastest);
  if (std::ostream* o = queryLine(40)) *o << "isFastestTeammateToPlayer: " << fastest << "\n";
  return fastest == me().getUnum();
}

bool WMState::lockKick() const {
  for (const PlayerObject& p : own) {
    const Unum n = p.getUnum();
    if (!p.getAbsPosConf().valid()) continue;
    if (n == myUnum) continue;
    if (!isBallKickableForPlayer(mySide, n, 0.1)) continue;
    if (n > myUnum || n == 1) return true;
  }
  return false;
}

Value WMState::congestionAtPos(Vector2D pos) const {
  Value congestion = 0.0;
  auto add = [&](const PlayerObject& p) {
    if (!p.getAbsPosConf().valid()) return;
    congestion += 1.0 / std::max(p.getAbsPos().dist2(pos), minSquaredDistance);
  };
  for (const PlayerObject& p : others) add(p);
  for (const PlayerObject& p : unknown) add(p);
  return congestion;
}

// ---- Spatial and goal-kick queries ----

namespace {

const Vector2D goalCentre(52.5, 0.0);
const Vector2D postTop(52.5, -7.0);
const Vector2D postBottom(52.5, 7.0);

// The three shot classes: distance of the shooter to the goal, angle of the
// ball's line to the goal centre, and the widest opening beside the keeper.
void shotClasses(const Vector2D& shooter, const Vector2D& ballPos, const Vector2D& keeper,
                 unsigned short& x, unsigned short& y, unsigned short& z) {
  const double d = shooter.dist(goalCentre);
  x = d < 7 ? 0 : d < 16 ? 1 : d < 27 ? 2 : d < 40 ? 3 : 4;

  double a = std::fabs(std::atan2(ballPos[1], 52.5 - ballPos[0]));
  if (a > 1.5707963267948966) a = 3.141592653589793 - a;
  y = a < 0.2898 ? 0 : a < 0.6082 ? 1 : a < 1.03 ? 2 : a < 1.1905 ? 3 : 4;

  const double g = std::max(vekmath::angleFromThreePoints(shooter, keeper, postTop),
                            vekmath::angleFromThreePoints(shooter, keeper, postBottom)) *
                   180.0 / 3.141592653589793;
  // A value that is not a number falls into the last class.
  z = g < 5 ? 0 : g < 20 ? 1 : g < 35 ? 2 : g < 50 ? 3 : g < 70 ? 4 : g < 90 ? 5 : 6;
}

// Where the opponents' keeper stands; while it is not known, the middle of
// the goal.
Vector2D keeperPosition(bool known, Unum number, const WMState::PlayerList& others) {
  if (known && number >= 1 && number < others.size()) return others[number].getAbsPos();
  return goalCentre;
}

} // namespace

void WMState::goalKickSituation(unsigned short& x, unsigned short& y, unsigned short& z) const {
  shotClasses(myPosition(), ball.getAbsPos(), keeperPosition(knowTheirGoalie, oppGoalieNo, others),
              x, y, z);
}

void WMState::goalKickSituation(PlayerObject p, unsigned short& x, unsigned short& y,
                                unsigned short& z) const {
  shotClasses(p.getAbsPos(), p.getAbsPos(), keeperPosition(knowTheirGoalie, oppGoalieNo, others),
              x, y, z);
}

vekbase::AngleDeg WMState::getDirOfWidestAngle(const Vector2D& pos, vekbase::AngleDeg ang_min,
                                               vekbase::AngleDeg ang_max,
                                               vekbase::AngleDeg& ang_large,
                                               Value max_dist) const {
  static const char* const sig =
      "vekbase::AngleDeg WMState::getDirOfWidestAngle(const Vector2D&, vekbase::AngleDeg, "
      "vekbase::AngleDeg, vekbase::AngleDeg&, double) const";
  vomar::Forwarder::instance(8192)->incIndent();
  if (std::ostream* o = queryLine(20))
    *o << sig << " (" << pos << ", " << double(ang_min) << ", " << double(ang_max)
       << ", &ang_large, " << max_dist << ")" << "\n";

  // The opponents: the identified ones, then the unidentified players.
  const PlayerList* const gegner[] = {&others, &unknown};
  if (std::ostream* o = queryLine(60)) {
    *o << "Gegner: ";
    for (const PlayerList* list : gegner)
      for (const PlayerObject& p : *list) *o << " " << p.getUnum();
    *o << "\n";
  }

  // The seen directions are relative to the head.
  const vekbase::AngleDeg neck = me().getNeckAngle();
  const double lo = double(ang_min - neck);
  const double hi = double(ang_max - neck);
  std::vector<vekbase::AngleDeg> ang;
  for (const PlayerList* list : gegner)
    for (const PlayerObject& p : *list) {
      // A player seen by direction only has no position (confidence 0): its
      // distance from pos is unknown, not that of the origin.
      if (!p.getDirConf().valid() || p.getAbsPosConf()() == 0.0 ||
          !(p.getAbsPos().dist(pos) <= max_dist))
        continue;
      const double d = double(p.getDir());
      if (d > hi || d < lo) continue;
      ang.push_back(p.getDir() + neck);
    }
  ang.push_back(ang_min);
  ang.push_back(ang_max);
  std::sort(ang.begin(), ang.end(), [](const vekbase::AngleDeg& a, const vekbase::AngleDeg& b) {
    return double(a) < double(b);
  });

  // Only gaps between neighbours count, not the one around the back.
  double max = std::fabs(double(ang[1] - ang[0]));
  vekbase::AngleDeg dir = ang[0] + vekbase::AngleDeg(0.5 * max);
  for (std::size_t k = 1; k + 1 < ang.size(); ++k) {
    const double d = double(ang[k + 1] - ang[k]);
    if (d > max) {
      max = std::fabs(d);
      dir = ang[k] + vekbase::AngleDeg(0.5 * max);
    }
  }

  ang_large = vekbase::AngleDeg(max);
  if (std::ostream* o = queryLine(30))
    *o << "dir: " << double(dir) << ", largest Angle: " << float(max) << "\n";
  if (std::ostream* o = queryLine(20)) *o << "end " << sig << "\n";
  vomar::Forwarder::instance(8192)->decIndent();
  return dir;
}

int WMState::getOpponentsInRegion(const vekspace::Region& region) const {
  int count = 0;
  for (const PlayerList* list : {&others, &unknown})
    for (const PlayerObject& p : *list)
      if (p.getAbsPosConf().valid() && region.in(p.getAbsPos())) ++count;
  return count;
}

int WMState::getOpponentsInOurPenaltyArea() const {
  return getOpponentsInRegion(getOurPenaltyArea());
}

bool WMState::opponentPathLineMarkingPosition(Vector2D& p0, const Vector2D& p1,
                                              Value radius) const {
  Value dist = 0.0;
  const Unum n = getClosestOpponentTo(dist, p1, false);
  if (n == 0) return false;
  const Vector2D p2 = others[n].getAbsPos();
  if (!(p2.dist(p1) < radius)) return false;
  if (!ball.getAbsPosConf().valid()) return false;
  Vector2D foot;
  if (vekspace::Line2D::inBetween(p1, p2, ball.getAbsPos(), foot)) {
    p0 = foot;
    return true;
  }
  p0 = foot.dist2(p2) <= foot.dist2(p1) ? p2 : p1;
  return true;
}

const vekspace::Line2D& WMState::getLeftLine() const {
  static const vekspace::Line2D leftLine(Vector2D(-52.5, 0.0), vekbase::AngleDeg(90.0));
  return leftLine;
}

const vekspace::Line2D& WMState::getTopLine() const {
  static const vekspace::Line2D topLine(Vector2D(0.0, -34.0), vekbase::AngleDeg(0.0));
  return topLine;
}

const vekspace::Line2D& WMState::getRightLine() const {
  static const vekspace::Line2D rightLine(Vector2D(52.5, 0.0), vekbase::AngleDeg(90.0));
  return rightLine;
}

const vekspace::Line2D& WMState::getBottomLine() const {
  static const vekspace::Line2D bottomLine(Vector2D(0.0, 34.0), vekbase::AngleDeg(0.0));
  return bottomLine;
}
