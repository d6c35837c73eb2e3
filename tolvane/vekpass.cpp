// Playing the ball away from the agent (clearing it through the widest gap,
// passing directly, ahead of a team-mate or into a team-mate's run) and
// marking an opponent.

#include <algorithm>
#include <iostream>

#include "tolvane/clientparam.h"
#include "tolvane/serverparam.h"
#include "tolvane/fieldgeometry.h"
#include "tolvane/updateablewmstate.h"
#include "tolvane/vekactions.h"
#include "tolvanespace/line2d.h"

using vekbase::AngleDeg;
using fieldgeometry::direction;
using fieldgeometry::finite;
using fieldgeometry::polar;

namespace {

const unsigned int ZONE = 1201;

// Opponents and unidentified players farther than this from the agent leave
// the clearing's gaps alone.
const double CLEAR_RANGE = 26.25;
// Beyond this distance from the ball players do not narrow a through pass.
const double THROUGH_RANGE = 30.0;
// The marking reference in front of the own goal.
const Vector2D OWN_GOAL_MARK(-50.0, 0.0);
// The highest shirt number the opponents' table holds.
const Unum LAST_SHIRT = 11;

} // namespace

SoccerCommand VekActions::clearBall() {
  const WMState& wm = WM();
  const Vector2D myPos = wm.myPosition();
  // In the own half the sector opens towards the half-way line, beyond it
  // towards the opponents' penalty area.
  const double x = myPos[0] < 0.0 ? 0.0 : 50.0;
  const AngleDeg ang_min = direction(Vector2D(x, -30.0) - myPos);
  const AngleDeg ang_max = direction(Vector2D(x, 30.0) - myPos);
  AngleDeg ang_large;
  const AngleDeg kick_dir = wm.getDirOfWidestAngle(myPos, ang_min, ang_max, ang_large, CLEAR_RANGE);
  return kickAtAngle(1, true, kick_dir - wm.myBodyAngle(), 100.0);
}

SoccerCommand VekActions::directPass(const PlayerObject& po, bool fastpass) {
  TraceScope scope(ZONE, "SoccerCommand VekActions::directPass(const PlayerObject&, bool)", po,
                   fastpass ? 1 : 0);
  const Vector2D pos = po.predictedPosition(1);
  traceLine(ZONE, 30, fastpass ? "doing a fast-Pass to " : "doing a normal-Pass to ", pos);
  return kickToPoint(3, true, pos, fastpass ? CP->fast_pass_endspeed : CP->pass_endspeed);
}

SoccerCommand VekActions::leadingPass(const PlayerObject& po, double dist) {
  const Vector2D pos = po.predictedPosition(1) + Vector2D(dist, 0.0);
  traceLine(ZONE, 20, "doing a leading-Pass to ", pos);
  return kickToPoint(3, true, pos, CP->pass_endspeed);
}

SoccerCommand VekActions::throughPass(PlayerObject po, Vector2D posEnd, Vector2D& posTo,
                                      bool command) {
  const WMState& wm = WM();
  const BallObject& ball = wm.getBall();
  const Vector2D posBall = ball.getAbsPos();
  const Vector2D posObj = po.getAbsPos();
  const Vector2D posBegin = posObj + Vector2D(3.0, 0.0);
  const double distance = std::min((posEnd - posBall).length(), THROUGH_RANGE);

  // The shot goes through the widest gap between the directions to the two
  // ends of the receiver's run and meets the run where it crosses it.
  const vekspace::Line2D line(posBegin, posEnd);
  AngleDeg largestAngle(0.0);
  const AngleDeg angMin = direction(posBegin - posBall);
  const AngleDeg angMax = direction(posEnd - posBall);
  const AngleDeg angShoot = wm.getDirOfWidestAngle(posBall, std::min(angMin, angMax),
                                                   std::max(angMin, angMax), largestAngle,
                                                   distance);
  const vekspace::Line2D line2(posBall, angShoot);
  const Vector2D intersection = line.getIntersection(line2);
  traceLine(ZONE, 20, "throughPass to Point ", intersection);
  posTo = intersection;
  if (!command) {
    std::cout << "through pass without action" << std::endl;
    return SoccerCommand(SoccerCommand::CMD_NONE);
  }
  // Lines that cross nowhere on the plane give no pass (and no time for the
  // receiver to get there).
  if (!finite(intersection)) {
    traceLine(ZONE, 30, "throughPass: no finite target");
    return SoccerCommand(SoccerCommand::CMD_NONE);
  }
  const int nrCycles = po.predictNrCyclesToPoint(intersection);
  // The ball shall cover the way in the receiver's time, less what it moves
  // by itself.
  const Vector2D vecDesired = intersection - posBall;
  Vector2D vecShoot = vecDesired / vekmath::sumGeomSeries(1.0, SP->bdecay, nrCycles);
  vecShoot = vecShoot - ball.getAbsVel();
  return kickToPoint(2, true, intersection, vecShoot.length());
}

Vector2D VekActions::getMarkingPosition(PlayerObject po, double dist, MarkT mark) {
  const Vector2D posBall = WM().getBall().predictedPosition(2);
  const Vector2D pos = po.getAbsPos();
  const AngleDeg angToGoal = direction(OWN_GOAL_MARK - pos);
  const AngleDeg angToBall = direction(posBall - pos);
  switch (mark) {
  case MARK_GOAL: return pos + polar(dist, angToGoal);
  case MARK_BALL: return pos + polar(dist, angToBall);
  case MARK_BISECTOR: {
    // The direction of the sum of the two unit vectors.
    const AngleDeg ang(vekmath::atan2(
        0.5 * (vekmath::sin(angToBall) + vekmath::sin(angToGoal)),
        0.5 * (vekmath::cos(angToBall) + vekmath::cos(angToGoal)), vekmath::DEG));
    return pos + polar(dist, ang);
  }
  }
  return Vector2D(0.0, 0.0);
}

SoccerCommand VekActions::markOpponent(Unum u, double dist, MarkT mark) {
  if (u == 0) return SoccerCommand(SoccerCommand::CMD_NONE);
  const WMState& wm = WM();
  if (u > LAST_SHIRT || u >= wm.getOthers().size()) {
    traceLine(ZONE, 20, "markOpponent: no opponent with number ", u);
    return SoccerCommand(SoccerCommand::CMD_NONE);
  }
  const Vector2D posMark = getMarkingPosition(wm.getOthers(int(u)), dist, mark);
  traceLine(ZONE, 20, "markOpponent at ", posMark);
  return dashToPosition(posMark, 3.0, false, true);
}

Unum VekActions::selectOpponent(double max_dist) {
  const WMState& wm = WM();
  Value dist = 0.0;
  Vector2D pos = wm.getStrategicPosition(wm.getMyNumber());
  const Unum uOP = wm.getClosestOpponentTo(dist, pos, false);
  pos = wm.getOthers(int(uOP)).getAbsPos();
  // Only the own player nearest to that opponent takes it.
  const Unum uTM = wm.getClosestTeammateTo(dist, pos, true, false);
  if (uTM == wm.getMyNumber() && dist < max_dist) return uOP;
  return 0;
}
