#include "tolvane/updateablewmstate.h"

#include <algorithm>
#include <cmath>

#include "tolvane/actuator.h"
#include "tolvane/playertypeparam.h"
#include "tolvane/serverparam.h"
#include "tolvane/fieldgeometry.h"
#include "tolvane/wmsensedstate.h"
#include "tolvane/wmtrace.h"

namespace {

const unsigned int ZONE_WM = 1110;
const unsigned int ZONE_LINEFLAG = 1111;

// A trace line of the merge and dead reckoning, or null when not logged.
std::ostream* trace() { return wmTrace(ZONE_WM, 20); }

using fieldgeometry::direction;
using fieldgeometry::polar;

// The kinds whose sending the Actuator counts.
bool counted(SoccerCommand::CommandT k) {
  switch (k) {
  case SoccerCommand::CMD_KICK:
  case SoccerCommand::CMD_DASH:
  case SoccerCommand::CMD_TURN:
  case SoccerCommand::CMD_CATCH:
  case SoccerCommand::CMD_MOVE:
  case SoccerCommand::CMD_TURNNECK:
  case SoccerCommand::CMD_CHANGEVIEW:
  case SoccerCommand::CMD_SAY:
  case SoccerCommand::CMD_POINTTO:
  case SoccerCommand::CMD_ATTENTIONTO:
  case SoccerCommand::CMD_TACKLE:
    return true;
  default:
    return false;
  }
}

} // namespace

UpdateableWMState::UpdateableWMState() : WMState(), replayed(sentSoFar()), sightMerged(false) {
  own.assign(ServerParam::max_players + 1, PlayerObject());
  others.assign(ServerParam::max_players + 1, PlayerObject());
  unknown.assign(2 * ServerParam::max_players + 1, PlayerObject());
}

UpdateableWMState::~UpdateableWMState() {}

// Commands found lost stay counted through the Actuator's lost list, so a
// kind's count grows with every command of that kind that went out.
UpdateableWMState::SentCounts UpdateableWMState::sentSoFar() {
  const Actuator* a = Actuator::instance(nullptr);
  SentCounts n;
  n.fill(0);
  a->getCounts(n[SoccerCommand::CMD_KICK], n[SoccerCommand::CMD_DASH], n[SoccerCommand::CMD_TURN],
               n[SoccerCommand::CMD_CATCH], n[SoccerCommand::CMD_MOVE],
               n[SoccerCommand::CMD_TURNNECK], n[SoccerCommand::CMD_CHANGEVIEW],
               n[SoccerCommand::CMD_SAY], n[SoccerCommand::CMD_POINTTO],
               n[SoccerCommand::CMD_ATTENTIONTO], n[SoccerCommand::CMD_TACKLE]);
  std::vector<SoccerCommand>::const_iterator lost = a->getLostCommands();
  for (std::size_t i = 0; i < a->lostCommandsLastCycle(); ++i, ++lost) {
    const int k = lost->command();
    if (k >= 0 && k < int(n.size())) ++n[k];
  }
  return n;
}

void UpdateableWMState::includeSensed(WMSensedState& sensedWM) {
  includeSenseBody(sensedWM);
  teammateMsg = sensedWM.getTeamMsg();
  opponentMsg = sensedWM.getOpponentMsg();
  includeSeen(sensedWM);
}

void UpdateableWMState::includeSenseBody(WMSensedState& sensedWM) {
  if (std::ostream* o = trace()) *o << "include sensebody information" << "\n";
  playMode.set(sensedWM.getPlayMode());
  if (myUnum != sensedWM.getMyNumber()) {
    if (std::ostream* o = trace())
      *o << "Help: My Unum has changed! was " << myUnum << ", now it's "
         << sensedWM.getMyNumber() << "\n";
    myUnum = sensedWM.getMyNumber();
  }
  if (mySide != sensedWM.getMySide()) {
    if (std::ostream* o = trace())
      *o << "Help: My side has changed! was " << int(mySide) << ", now it's "
         << int(sensedWM.getMySide()) << "\n";
    mySide = sensedWM.getMySide();
    theirSide = sensedWM.getTheirSide();
  }
  mySpeed = sensedWM.getMySpeed();
  mySpeedDir = sensedWM.mySpeedDir;

  PlayerObject& me = *getMe();
  const bool haveSensedMe = !sensedWM.own.empty();
  if (haveSensedMe) {
    me.setStamina(sensedWM.getMe()->getStamina());
    me.setEffort(sensedWM.getMe()->getEffort());
  }
  myViewWidth = sensedWM.myViewWidth;
  myViewQuality = sensedWM.myViewQuality;
  me.setUnum(myUnum);
  me.setTeam(mySide);
  if (me.getGoalieP() == PlayerObject::u && haveSensedMe)
    me.setGoalieP(sensedWM.getMe()->getGoalieP());
  me.setDist(0.0, 1.0);
  me.setDir(vekbase::AngleDeg(0.0), 1.0);
  me.setDDistDDir(0.0, vekbase::AngleDeg(0.0), 1.0);
  penaltyKickSide = sensedWM.getPenaltyKickSide();
}

void UpdateableWMState::update() {
  if (std::ostream* o = trace()) *o << "calling new update" << "\n";

  PlayerObject& me = *getMe();
  const PTypeIndex myPType = me.getPlayerType();
  const std::vector<SoccerCommand>& sentCommands = Actuator::instance(nullptr)->getSentCommands();

  // The queue holds the last decision's commands until the next decision, so
  // a second sense_body without a decision in between finds them again; only
  // what was sent since the previous update is replayed.
  const SentCounts before = replayed;
  const SentCounts now = sentSoFar();
  replayed = now;
  bool anySent = false;
  for (std::size_t k = 0; k < now.size(); ++k)
    if (now[k] > before[k]) anySent = true;
  auto sentAgain = [&](SoccerCommand::CommandT k) {
    return counted(k) ? now[k] > before[k] : anySent;
  };

  Vector2D myAccel(0.0, 0.0);
  Vector2D ballAccel(0.0, 0.0);
  bool moved = false;

  if (!sentCommands.empty()) {
    const SoccerCommand& bodyCommand = sentCommands[0];
    const SoccerCommand::CommandT kind = bodyCommand.command();
    switch (kind) {
    case SoccerCommand::CMD_DASH:
      if (sentAgain(kind)) {
        const double dashPower = bodyCommand.dashPower();
        const double effectiveDashPower =
            dashPower * me.getEffort() * PT->dashPowerRate(myPType);
        myAccel = polar(effectiveDashPower, me.getBodyAngle());
        // A backward dash costs twice its power.
        me.setStamina(me.getStamina() - (dashPower >= 0.0 ? dashPower : -2.0 * dashPower));
      }
      break;
    case SoccerCommand::CMD_KICK:
      if (sentAgain(kind)) {
        const vekbase::AngleDeg d = ball.getDir() + me.getRelativeNeckAngle();
        const double rate =
            ball.getActualKickPowerRate(d, ball.getDist(), PT->kickableMargin(myPType));
        const double effectiveKickPower = bodyCommand.kickPower() * rate;
        ballAccel = polar(effectiveKickPower, me.getBodyAngle() + bodyCommand.kickDir());
        if (std::ostream* o = trace()) *o << "ball accel: " << ballAccel << "\n";
      }
      break;
    case SoccerCommand::CMD_MOVE:
      moved = sentAgain(kind);
      break;
    case SoccerCommand::CMD_TURN:
      if (sentAgain(kind))
        me.setBodyAngle(me.getBodyAngle() + me.getRealTurnAngle(bodyCommand.turnAngle()));
      break;
    case SoccerCommand::CMD_NONE:
    case SoccerCommand::CMD_CATCH:
    case SoccerCommand::CMD_TACKLE:
      break;
    default:
      if (sentAgain(kind))
        if (std::ostream* o = trace())
          *o << "Unknown body command type: " << bodyCommand.str() << "\n";
      break;
    }

    for (std::size_t i = 1; i < sentCommands.size(); ++i) {
      const SoccerCommand& currentCommand = sentCommands[i];
      const SoccerCommand::CommandT k = currentCommand.command();
      switch (k) {
      case SoccerCommand::CMD_TURNNECK:
        if (sentAgain(k))
          me.setRelativeNeckAngle(me.getRelativeNeckAngle() + currentCommand.turnNeckAngle());
        break;
      case SoccerCommand::CMD_NONE:
      case SoccerCommand::CMD_ATTENTIONTO:
      case SoccerCommand::CMD_CHANGEVIEW:
      case SoccerCommand::CMD_POINTTO:
        break;
      default:
        if (sentAgain(k))
          if (std::ostream* o = trace())
            *o << "Unknown minor command: " << currentCommand.str() << "\n";
        break;
      }
    }
  }

  me.update(myAccel);
  ball.update(ballAccel);

  const Vector2D toBall = ball.getAbsPos() - me.getAbsPos();
  ball.setDist(toBall.length());
  ball.setDir(direction(toBall) - me.getNeckAngle());

  if (moved) me.setAbsPos(sentCommands[0].position(), 1.0);

  // The server's stamina model, with the server's thresholds and the
  // agent's type for the limits of effort and the stamina increase.
  const double stam = me.getStamina();
  if (stam <= SP->stamina_max * SP->recover_dthr && me.getRecovery() > SP->recover_min)
    me.setRecovery(me.getRecovery() - SP->recover_dec);
  const double eff = me.getEffort();
  if (stam <= SP->stamina_max * SP->effort_dthr && eff > SP->effort_min)
    me.setEffort(std::max(eff - SP->effort_dec, PT->effortMin(myPType)));
  if (stam >= SP->stamina_max * SP->effort_ithr && eff < PT->effortMax(myPType))
    me.setEffort(std::min(eff + SP->effort_inc, PT->effortMax(myPType)));
  me.setStamina(std::min(stam + me.getRecovery() * PT->staminaIncMax(myPType), SP->stamina_max));

  const Vector2D myPos = me.getAbsPos();
  const vekbase::AngleDeg myNeck = me.getNeckAngle();
  const Vector2D accel(0.0, 0.0);
  auto drift = [&](PlayerObject& p) {
    p.update(accel);
    // A player seen by bearing alone has no position to measure from; its
    // seen direction is all there is.
    if (!(p.getAbsPosConf()() > 0.0)) return;
    const Vector2D v = p.getAbsPos() - myPos;
    p.setDist(v.length());
    p.setDir(direction(v) - myNeck);
  };
  for (std::size_t i = 1; i < own.size(); ++i)
    if (i != myUnum && own[i].getDirConf().valid() && own[i].getUnum() != myUnum) drift(own[i]);
  for (std::size_t i = 1; i < others.size(); ++i)
    if (others[i].getDirConf().valid()) drift(others[i]);
  for (PlayerObject& p : unknown) drift(p);

  sightMerged = false;
}

Vector2D UpdateableWMState::calculateVelocity(Vector2D pos, double dist, double ddist,
                                              vekbase::AngleDeg ddir) {
  const PlayerObject& me = *getMe();
  const Vector2D d = pos - me.getAbsPos();
  const double len2 = d * d;
  // On the agent's own spot the line of sight has no direction: the
  // relative motion cannot be read, so the object moves with the agent.
  if (!(len2 > 0.0)) return me.getAbsVel();
  const Vector2D unit = d * (1.0 / std::sqrt(len2));
  const double a = double(vekbase::AngleRad(ddir));
  const Vector2D relVelocity(ddist * unit[0] - dist * a * unit[1],
                             dist * a * unit[0] + ddist * unit[1]);
  return relVelocity + me.getAbsVel();
}

void UpdateableWMState::includeBallInfo(const BallObject& sensedBall) {
  const PlayerObject& me = *getMe();
  if (sensedBall.getDirConf()() == 1.0) {
    if (std::ostream* o = trace()) *o << "saw ball" << "\n";
    ball.setDir(sensedBall.getDir(), 1.0);
    if (sensedBall.getDistConf()() == 1.0) {
      ball.setDist(sensedBall.getDist(), 1.0);
      const Vector2D tmpBallPos =
          me.getAbsPos() + polar(sensedBall.getDist(), me.getNeckAngle() + sensedBall.getDir());
      ball.setAbsPos(tmpBallPos, 1.0);
      // The server reports changes only together with the distance.
      if (sensedBall.getDDistDDirConf()() == 1.0) {
        ball.setDDistDDir(sensedBall.getDDist(), sensedBall.getDDir(), 1.0);
        const Vector2D tmpBallVel = calculateVelocity(tmpBallPos, ball.getDist(), ball.getDDist(),
                                                      ball.getDDir());
        ball.setAbsVel(tmpBallVel, 1.0);
      }
    }
  } else {
    if (std::ostream* o = trace())
      *o << "did not see ball this cycle! BallPosConf = " << ball.getAbsPosConf()() << "\n";
    if (ball.getAbsPosConf().valid() && me.pointVisible(ball.getAbsPos(), myViewWidth)) {
      if (std::ostream* o = trace())
        *o << "cannot see the ball though I should -- forgetting" << "\n";
      ball.invalidate();
    }
  }
}

namespace {

// A remembered anonymous player that should be in view.
struct Expected {
  PlayerObject* player;
  bool taken;
};

// Of the candidates first to last - 1 that dist2 measures (it gives the
// squared distance, or false for one to leave out), the nearest within the
// squared distance bound; last when there is none. Ties go to the lower
// index.
template <class Dist2>
std::size_t nearestWithin(std::size_t first, std::size_t last, double bound, Dist2 dist2) {
  std::size_t best = last;
  double bestDist2 = 0.0;
  for (std::size_t i = first; i < last; ++i) {
    double d2 = 0.0;
    if (!dist2(i, d2) || d2 > bound) continue;
    if (best == last || d2 < bestDist2) {
      best = i;
      bestDist2 = d2;
    }
  }
  return best;
}

// Index of the nearest expected player of the given team, by shirt number,
// within 2 m of pos; 0 for none. Ties go to the lower number.
std::size_t closestExpected(const std::vector<PlayerObject>& team, const std::vector<bool>& sbv,
                            const Vector2D& pos) {
  const std::size_t last = std::min(team.size(), sbv.size());
  const std::size_t k = nearestWithin(1, last, 4.0, [&](std::size_t n, double& d2) {
    if (!sbv[n]) return false;
    d2 = team[n].getAbsPos().dist2(pos);
    return true;
  });
  return k < last ? k : 0;
}

// One trace line: head, each number whose flag is set followed by a blank,
// then tail.
void traceNumbers(const char* head, const std::vector<bool>& flags, const char* tail) {
  std::ostream* o = trace();
  if (!o) return;
  *o << head;
  for (std::size_t n = 1; n < flags.size(); ++n)
    if (flags[n]) *o << n << " ";
  *o << tail << "\n";
}

} // namespace

void UpdateableWMState::includeSeen(WMSensedState& sensedWM) {
  // A late hear message brings the driver here with a snapshot that holds no
  // new sight, or one that includeSensed has merged already.
  if (!sensedWM.sightInCurrentCycle || sightMerged) return;
  sightMerged = true;

  localizeAndSetPos(sensedWM);

  PlayerObject& me = *getMe();
  const vekbase::AngleDeg myNeck = me.getNeckAngle();
  const Vector2D myPos = me.getAbsPos();
  me.setAbsVel(polar(mySpeed, myNeck + mySpeedDir), 1.0);

  includeBallInfo(sensedWM.ball);

  const std::size_t slots = ServerParam::max_players + 1;
  std::vector<bool> ownSBV(slots, false);
  std::vector<bool> oppSBV(slots, false);
  std::vector<Expected> unkSBV;
  unkSBV.reserve(2 * ServerParam::max_players + 1);

  // Remembered players at a place the agent looks at should be in the sight.
  auto shouldSee = [&](const PlayerObject& p) {
    return p.getAbsPosConf().valid() && me.pointVisible(p.getAbsPos(), myViewWidth);
  };
  for (std::size_t n = 1; n < slots && n < own.size(); ++n)
    ownSBV[n] = n != myUnum && shouldSee(own[n]);
  traceNumbers("teammate(s) ", ownSBV, "should be visible");
  for (std::size_t n = 1; n < slots && n < others.size(); ++n) oppSBV[n] = shouldSee(others[n]);
  traceNumbers("opponent(s) ", oppSBV, "should be visible");
  for (PlayerObject& p : unknown)
    if (shouldSee(p)) unkSBV.push_back(Expected{&p, false});

  // Where a sighting's distance and direction place the player.
  auto seenAt = [&](const PlayerObject& e) {
    return myPos + polar(e.getDist(), myNeck + e.getDir());
  };
  // The seen body, neck and pointing directions are relative to the agent's
  // view; p takes them over as field directions.
  auto takeDirections = [&](PlayerObject& p, const PlayerObject& e, bool pointing) {
    if (e.getBodyAngleConf().valid()) {
      p.setBodyAngle(myNeck + e.getBodyAngle(), 1.0);
      p.setRelativeNeckAngle(e.getRelativeNeckAngle() - e.getBodyAngle(), 1.0);
    }
    if (pointing && e.getPointDirConf().valid()) p.setPointDir(myNeck + e.getPointDir(), 1.0);
  };

  // Players seen with their shirt number.
  Vector2D tmpPlayerPos(0.0, 0.0);
  auto mergeIdentified = [&](const PlayerObject& e, bool isSelf, PlayerList& team,
                             std::vector<vekbase::Timer>& seeTime, std::vector<bool>& sbv,
                             bool ourTeam) {
    const Unum n = e.getUnum();
    if (n == 0 || n >= team.size() || n >= sbv.size()) return;
    if (n < seeTime.size()) seeTime[n] = vekbase::Timer::currentTime();
    PlayerObject& recipient = team[n];
    recipient.setUnum(n);
    // The agent's own entry carries no sighting, and a bearing alone gives
    // no position: neither may place anybody.
    bool located = false;
    if (!isSelf && e.getDistConf().valid()) {
      tmpPlayerPos = seenAt(e);
      recipient.setAbsPos(tmpPlayerPos, 1.0);
      recipient.setDist(e.getDist(), 1.0);
      recipient.setDir(e.getDir(), 1.0);
      located = true;
    }
    if (located && e.getDDistDDirConf().valid()) {
      recipient.setDDistDDir(e.getDDist(), e.getDDir(), 1.0);
      recipient.setAbsVel(calculateVelocity(tmpPlayerPos, e.getDist(), e.getDDist(), e.getDDir()),
                          1.0);
    }
    if (!isSelf) takeDirections(recipient, e, true);
    if (e.getGoalieP() != PlayerObject::u) recipient.setGoalieP(e.getGoalieP());

    if (sbv[n]) {
      sbv[n] = false;
    } else if (located && !unkSBV.empty()) {
      // The sighting may explain a remembered anonymous player nearby.
      const double reach = 1.5 * PT->playerSpeedMax(recipient.getPlayerType());
      const std::size_t best =
          nearestWithin(0, unkSBV.size(), reach * reach, [&](std::size_t i, double& d2) {
            const PlayerObject& p = *unkSBV[i].player;
            if (!(ourTeam ? isTeammate(p) : isOpponent(p))) return false;
            d2 = p.getAbsPos().dist2(tmpPlayerPos);
            return true;
          });
      if (best < unkSBV.size()) unkSBV.erase(unkSBV.begin() + best);
    }
  };
  for (std::size_t i = 0; i < sensedWM.own.size(); ++i)
    mergeIdentified(sensedWM.own[i], i == 0, own, ownSeeTime, ownSBV, true);
  for (const PlayerObject& e : sensedWM.others)
    mergeIdentified(e, false, others, othersSeeTime, oppSBV, false);

  // Players seen without a shirt number.
  PlayerList newUnk;
  newUnk.reserve(2 * ServerParam::max_players + 1);
  for (const PlayerObject& e : sensedWM.unknown) {
    if (!e.getDistConf().valid()) {
      // Direction only: nobody can be matched or placed from it, so it is
      // kept with its direction and side, its position unknown.
      PlayerObject bearingOnly;
      bearingOnly.setTeam(e.getTeam());
      if (e.getDirConf().valid()) bearingOnly.setDir(e.getDir(), 1.0);
      newUnk.push_back(bearingOnly);
      continue;
    }
    const Vector2D curPlayerPos = seenAt(e);
    Vector2D curPlayerVel(0.0, 0.0);
    if (e.getDDistDDirConf().valid())
      curPlayerVel = calculateVelocity(curPlayerPos, e.getDist(), e.getDDist(), e.getDDir());

    auto takeOver = [&](PlayerObject& p, bool pointing) {
      p.setAbsPos(curPlayerPos, 1.0);
      p.setDist(e.getDist(), 1.0);
      p.setDir(e.getDir(), 1.0);
      p.setAbsVel(curPlayerVel, 1.0);
      p.setDDistDDir(e.getDDist(), e.getDDir(), 1.0);
      takeDirections(p, e, pointing);
    };

    const Side s = e.getTeam();
    if (s == mySide || s != u) {
      const bool ours = s == mySide;
      PlayerList& team = ours ? own : others;
      std::vector<bool>& sbv = ours ? ownSBV : oppSBV;
      const std::size_t k = closestExpected(team, sbv, curPlayerPos);
      if (k != 0) {
        sbv[k] = false;
        if (std::ostream* o = trace())
          *o << (ours ? "assigning own " : "assigning opp ") << k << " to unknown player" << "\n";
        takeOver(team[k], true);
      } else {
        PlayerObject p;
        takeOver(p, false);
        p.setTeam(s);
        newUnk.push_back(p);
      }
    } else {
      const std::size_t best =
          nearestWithin(0, unkSBV.size(), 4.0, [&](std::size_t i, double& d2) {
            if (unkSBV[i].taken) return false;
            d2 = unkSBV[i].player->getAbsPos().dist2(curPlayerPos);
            return true;
          });
      PlayerObject p = best < unkSBV.size() ? *unkSBV[best].player : PlayerObject();
      takeOver(p, false);
      if (best < unkSBV.size()) unkSBV[best].taken = true;
      newUnk.push_back(p);
    }
  }
  unknown.swap(newUnk);

  // Whoever is still expected was not seen: the flags are set only for
  // entries the lists hold.
  for (std::size_t n = 1; n < slots; ++n) {
    if (ownSBV[n]) own[n].invalidate();
    if (oppSBV[n]) others[n].invalidate();
  }
  traceNumbers("forgetting teammate(s): ", ownSBV, "");
  traceNumbers("forgetting opponent(s): ", oppSBV, "");

  if (!knowTheirGoalie && sensedWM.knowTheirGoalie) setOppGoalie(sensedWM.oppGoalieNo);
  if (!knowOurGoalie && sensedWM.knowOurGoalie) setOurGoalie(sensedWM.ourGoalieNo);
  myScore = sensedWM.myScore;
  theirScore = sensedWM.theirScore;
}

void UpdateableWMState::localizeAndSetPos(WMSensedState& SWM) {
  Vector2D pos(0.0, 0.0);
  vekbase::AngleDeg angle(0.0);
  SWM.putNearestFlagToFront();
  bool located = false;
  if (!SWM.getLines().empty() && !SWM.getViewQuality().isLow())
    located = lineFlagLocalization(SWM.getLines(), SWM.getFlags(), pos, angle);
  if (!located) located = pos_est(SWM.getFlags(), pos, angle);

  const vekbase::AngleDeg relNeck =
      SWM.own.empty() ? vekbase::AngleDeg(0.0) : SWM.getMe()->getRelativeNeckAngle();
  PlayerObject& me = *getMe();
  if (located) {
    me.setAbsPos(pos, 1.0);
    me.setBodyAngle(angle - relNeck, 1.0);
  }
  me.setRelativeNeckAngle(relNeck, 1.0);
}

bool UpdateableWMState::lineFlagLocalization(const std::vector<LineObject>& seenL,
                                             const std::vector<FlagObject>& seenF,
                                             Vector2D& newPos, vekbase::AngleDeg& angle) {
  if (seenL.empty()) {
    if (std::ostream* o = trace()) *o << "Line Flag: no lines" << "\n";
    return false;
  }
  // The line seen farther away is seen at the steeper, more exact angle.
  const LineObject& line =
      seenL.size() >= 2 && seenL[1].getDist() > seenL[0].getDist() ? seenL[1] : seenL[0];
  const double lineAng = double(line.getDir());
  const bool pos = lineAng >= 0.0;
  double h = 0.0;
  switch (line.getId()) {
  case LineObject::Line_L: h = pos ? 270.0 - lineAng : 90.0 - lineAng; break;
  case LineObject::Line_T: h = pos ? -lineAng : -180.0 - lineAng; break;
  case LineObject::Line_R: h = pos ? 90.0 - lineAng : -90.0 - lineAng; break;
  case LineObject::Line_B: h = pos ? 180.0 - lineAng : -lineAng; break;
  default: return false;
  }
  // The flag table is turned by half a circle for the right side.
  if (mySide != l) h += 180.0;
  angle = vekbase::AngleDeg(h);

  if (seenF.empty()) return false;
  const FlagObject& usedFlag = seenF[0];
  // A flag seen without its distance cannot place the agent.
  if (!usedFlag.getDistConf().valid()) return false;
  const std::size_t id = std::size_t(usedFlag.getId());
  if (id >= allFlags.size()) return false;
  const Vector2D tmpMyPos = polar(usedFlag.getDist(), usedFlag.getDir() + angle);
  newPos = allFlags[id].getAbsPos() - tmpMyPos;

  if (std::ostream* out = trace())
    *out << "line/flag: using " << line << " " << Vector2D(line.getDist(), double(line.getDir()))
         << " flag " << usedFlag << Vector2D(usedFlag.getDist(), double(usedFlag.getDir()))
         << "\n";
  if (std::ostream* out = wmTrace(ZONE_LINEFLAG, 30))
    *out << "Line/Flag: pos = " << newPos << ", dir = " << double(angle) << "\n";
  return true;
}
