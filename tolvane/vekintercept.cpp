// Interception for the field player and the goalkeeper, keeping the goal
// line, blocking the ball's way on the formation line, and the point where a
// ray leaves the attacking part of the field.

#include "tolvane/vekactions.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "tolvane/clientparam.h"
#include "tolvane/formations/formation.h"
#include "tolvane/formations/formationparam.h"
#include "tolvane/playertypeparam.h"
#include "tolvane/serverparam.h"
#include "tolvane/fieldgeometry.h"
#include "tolvane/updateablewmstate.h"
#include "tolvanespace/circle.h"
#include "tolvanespace/line2d.h"

namespace {

const unsigned int ZONE_SKILLS = 1201;
const unsigned short LEVEL_ENTRY = 20;
const unsigned short LEVEL_DETAIL = 30;

using fieldgeometry::PITCH_HALF_LENGTH;
using fieldgeometry::PITCH_HALF_WIDTH;

// pos moved onto one field border along the ball's path. Where the path
// does not cross that border (it runs parallel to it, or there is no path:
// the ball rests on the meeting point) or pos has already left the path at
// another border, the crossed coordinate is held at the border instead.
Vector2D clipToBorder(const vekspace::Line2D& border, const vekspace::Line2D& path, bool& onPath,
                      Vector2D pos, int axis, double limit) {
  if (onPath && border.A * path.B != path.A * border.B) return border.getIntersection(path);
  onPath = false;
  pos[axis] = limit;
  return pos;
}

// The point of the segment from left to right that the bisector of the
// angle left-ball-right meets: it divides the segment in the ratio of the
// ball's distances to its ends, whichever end lies higher. A ball on a
// segment of length 0 gives that point.
Vector2D bisectorPoint(const Vector2D& left, const Vector2D& right, const Vector2D& ball) {
  const double dL = left.dist(ball);
  const double dR = right.dist(ball);
  if (!(dL + dR > 0.0)) return left;
  return left + (dL / (dL + dR)) * (right - left);
}

// The move along a vertical guard line to the guard point, facing along it:
// towards the ball's side when the ball is more than half a metre off the
// point, else the way the body already faces. With the ball near, the
// heading is tilted by the body's side and 3 m and 7 degrees are close
// enough; with it far, by the side the ball moves to, within farDist and 2
// degrees.
SoccerCommand alongGuardLine(const VekActions& skills, const Vector2D& guard,
                             const BallObject& ball, const Vector2D& posBall,
                             vekbase::AngleDeg body, bool ballNear, double farDist) {
  const double d = posBall[1] - guard[1];
  const bool up = std::fabs(d) > 0.5 ? d > 0 : double(body) >= 0;
  const vekbase::AngleDeg angDes(up ? 90.0 : -90.0);
  if (ballNear)
    return skills.dashToPositionAlongLine(guard, angDes, 3.0, double(body) >= 0 ? 1 : -1,
                                          vekbase::AngleDeg(7.0), vekbase::AngleDeg(12.0));
  return skills.dashToPositionAlongLine(guard, angDes, farDist, ball.getAbsVel()[1] >= 0 ? 1 : -1,
                                        vekbase::AngleDeg(2.0), vekbase::AngleDeg(12.0));
}

} // namespace

SoccerCommand VekActions::interceptClose() const {
  traceLine(ZONE_SKILLS, LEVEL_ENTRY, "SoccerCommand VekActions::interceptClose() const");
  const WMState& wm = WM();
  const PlayerObject& me = *wm.getMe();
  const BallObject& ball = wm.getBall();
  const int type = me.getPlayerType();
  const double kickMargin = PT->kickableMargin(type);
  const double kickable = SP->bsize + PT->playerSize(type) + kickMargin;
  const double reach =
      kickable + 2.0 * PT->playerSpeedMax(type) + (1.0 + SP->bdecay) * SP->bspeed_max;
  if (ball.getDist() > reach) return SoccerCommand(SoccerCommand::CMD_NONE);

  const Vector2D posMe = me.getAbsPos();
  const Vector2D posMe1 = me.predictedPosition(1);
  const Vector2D posBall1 = ball.predictedPosition(1);
  const vekbase::AngleDeg body = me.getBodyAngle();

  // One dash along the body line, to where that line enters a small circle
  // round the ball.
  const double closeRadius = SP->bsize + PT->playerSize(type) + kickMargin / 6.0;
  Vector2D q1;
  Vector2D q2;
  const int k = vekspace::Line2D(posMe1, body)
                    .getCircleIntersectionPoints(vekspace::Circle(posBall1, closeRadius), q1, q2);
  if (k >= 1) {
    // Of two points, the one with the ball ahead along the body.
    const vekbase::AngleDeg toBall = fieldgeometry::direction(posBall1 - q2) - body;
    const Vector2D target = k == 2 && std::fabs(double(toBall)) < 90.0 ? q2 : q1;
    const double power = me.getPowerForDash(target - posMe, true);
    if (me.predictedPosition(power, 1).dist(posBall1) < kickable)
      return SoccerCommand(SoccerCommand::CMD_DASH, power);
  }

  // A turn towards the ball, then a dash.
  const Vector2D posBall2 = ball.predictedPosition(2);
  const vekbase::AngleDeg heading =
      fieldgeometry::direction(posBall2 - me.predictedPosition(2)) - body;
  if (std::fabs(double(heading)) > double(CP->whenToTurn())) {
    const SoccerCommand turn = turnBodyToPoint(posBall2, 2);
    const PlayerObject s1 = me.predictedAfterCommand(turn);
    const double power = s1.getPowerForDash(posBall2 - s1.getAbsPos(), true);
    const PlayerObject s2 = s1.predictedAfterCommand(SoccerCommand(SoccerCommand::CMD_DASH, power));
    if (s2.getAbsPos().dist(posBall2) < kickable) return turn;
  }

  // One or two full-power dashes and a last dash onto the ball; these plans
  // must end well inside the kickable area.
  const SoccerCommand dash(SoccerCommand::CMD_DASH, SP->maxp);
  const PlayerObject s1 = me.predictedAfterCommand(dash);
  double power = s1.getPowerForDash(posBall2 - s1.getAbsPos(), false);
  const PlayerObject s2 = s1.predictedAfterCommand(SoccerCommand(SoccerCommand::CMD_DASH, power));
  if (s2.getAbsPos().dist(posBall2) < kickMargin) return dash;

  const Vector2D posBall3 = ball.predictedPosition(3);
  const PlayerObject s2full = s1.predictedAfterCommand(dash);
  power = s2full.getPowerForDash(posBall3 - s2full.getAbsPos(), false);
  const PlayerObject s3 =
      s2full.predictedAfterCommand(SoccerCommand(SoccerCommand::CMD_DASH, power));
  if (s3.getAbsPos().dist(posBall3) < kickMargin) return dash;

  return SoccerCommand(SoccerCommand::CMD_NONE);
}

SoccerCommand VekActions::interceptCloseGoalie() const {
  traceLine(ZONE_SKILLS, LEVEL_ENTRY, "SoccerCommand VekActions::interceptCloseGoalie() const");
  const WMState& wm = WM();
  const PlayerObject& me = *wm.getMe();
  const BallObject& ball = wm.getBall();
  const double speedMax = PT->playerSpeedMax(me.getPlayerType());
  const double catchable = SP->catch_area_l;

  // One dash along the body line to the point nearest the ball.
  Vector2D posPred = me.predictedPosition(1);
  Vector2D posBall = ball.predictedPosition(1);
  if (ball.getDist() < SP->bspeed_max + speedMax + catchable) {
    const vekspace::Line2D lineGoalie(posPred, me.getBodyAngle());
    const Vector2D posClosestToBall = lineGoalie.getPointOnLineClosestTo(posBall);
    const double power = me.getPowerForDash(posClosestToBall - posPred, true);
    if (me.predictedPosition(power, 1).dist(posBall) < catchable)
      return SoccerCommand(SoccerCommand::CMD_DASH, power);
  }
  if (!(ball.getDist() < (1.0 + SP->bdecay) * SP->bspeed_max + 2.0 * speedMax + catchable))
    return SoccerCommand(SoccerCommand::CMD_NONE);

  // Two dashes; the second power is the one the agent computes now.
  posBall = ball.predictedPosition(2);
  SoccerCommand soc = dashTowardsPoint(posBall, false);
  PlayerObject pPlayer = me.predictedAfterCommand(soc);
  double power = me.getPowerForDash(posBall - pPlayer.getAbsPos(), true);
  pPlayer = pPlayer.predictedAfterCommand(SoccerCommand(SoccerCommand::CMD_DASH, power));
  if (pPlayer.getAbsPos().dist(posBall) < catchable) return soc;

  // A turn towards the ball, then a dash, when the ball lies off the body
  // direction on either side.
  posPred = me.predictedPosition(2);
  const vekbase::AngleDeg off = fieldgeometry::direction(posBall - posPred) - me.getBodyAngle();
  if (std::fabs(double(off)) > double(CP->whenToTurn())) {
    soc = turnBodyToPoint(posBall, 2);
    pPlayer = me.predictedAfterCommand(soc);
    power = pPlayer.getPowerForDash(posBall - pPlayer.getAbsPos(), true);
    pPlayer = pPlayer.predictedAfterCommand(SoccerCommand(SoccerCommand::CMD_DASH, power));
    if (pPlayer.getAbsPos().dist(posBall) < catchable) return soc;
  }
  return SoccerCommand(SoccerCommand::CMD_NONE);
}

SoccerCommand VekActions::intercept(bool isGoalie, double distBack) const {
  Vector2D pos(0.0, 0.0);
  Value t = 0.0;
  return intercept(isGoalie, distBack, pos, t);
}

SoccerCommand VekActions::intercept(bool isGoalie, double distBack, Vector2D& pos,
                                    Value& t) const {
  TraceScope scope(ZONE_SKILLS,
                   "SoccerCommand VekActions::intercept(bool, double, Vector2D&, Value&) const",
                   isGoalie, distBack, pos, t);
  const SoccerCommand soc = isGoalie ? interceptCloseGoalie() : interceptClose();
  if (soc.command() != SoccerCommand::CMD_NONE) return soc;
  traceLine(ZONE_SKILLS, LEVEL_ENTRY, "interceptClose: failed .. performing newton Method");

  const WMState& wm = WM();
  const Vector2D posBall = wm.getBall().getAbsPos();
  pos = wm.getMe()->newtonMethod(wm.getBall(), t);

  // A meeting point beyond a border is pulled back along the ball's path;
  // both borders are crossed on the path through the unclipped point. Points
  // closer than a micrometre give the path no direction.
  const vekspace::Line2D ballTraj(posBall, pos);
  bool onPath = posBall.dist(pos) >= 1e-6;
  if (pos[0] > PITCH_HALF_LENGTH)
    pos = clipToBorder(wm.getRightLine(), ballTraj, onPath, pos, 0, PITCH_HALF_LENGTH);
  else if (pos[0] < -PITCH_HALF_LENGTH)
    pos = clipToBorder(wm.getLeftLine(), ballTraj, onPath, pos, 0, -PITCH_HALF_LENGTH);
  if (pos[1] > PITCH_HALF_WIDTH)
    pos = clipToBorder(wm.getBottomLine(), ballTraj, onPath, pos, 1, PITCH_HALF_WIDTH);
  else if (pos[1] < -PITCH_HALF_WIDTH)
    pos = clipToBorder(wm.getTopLine(), ballTraj, onPath, pos, 1, -PITCH_HALF_WIDTH);

  if (!fieldgeometry::finite(pos)) {
    traceLine(ZONE_SKILLS, LEVEL_ENTRY, "intercept: no meeting point with the ball");
    return SoccerCommand(SoccerCommand::CMD_NONE);
  }
  return dashToPosition(pos, distBack, false, false);
}

SoccerCommand VekActions::defendGoalLine(double dDist) const {
  static const char* const sig = "SoccerCommand VekActions::defendGoalLine(double) const";
  TraceScope scope(ZONE_SKILLS, sig, dDist);
  scope.setExitText(std::string("end ") + sig);

  const WMState& wm = WM();
  const BallObject& ball = wm.getBall();
  const PlayerObject& me = *wm.getMe();
  const Vector2D posBall = ball.predictedPosition(1);
  const Vector2D posAgent = me.getAbsPos();
  const double halfGoal = SP->gwidth / 2.0;

  // Where the bisector of the angle under which the ball sees the posts
  // crosses the defended line.
  const vekspace::Line2D lineDefend(Vector2D(dDist - PITCH_HALF_LENGTH, 0.0),
                                    vekbase::AngleDeg(90.0));
  const vekspace::Line2D lineLeft(posBall, Vector2D(-PITCH_HALF_LENGTH, -halfGoal));
  const vekspace::Line2D lineRight(posBall, Vector2D(-PITCH_HALF_LENGTH, halfGoal));
  Vector2D posDefend;
  if (lineLeft.A == 0.0 || lineRight.A == 0.0)
    // A ball level with the posts sees them along the defended line's own
    // direction: stand level with the ball.
    posDefend = Vector2D(dDist - PITCH_HALF_LENGTH, posBall[1]);
  else
    posDefend = bisectorPoint(lineDefend.getIntersection(lineLeft),
                              lineDefend.getIntersection(lineRight), posBall);
  if (std::fabs(posDefend[1]) > halfGoal) posDefend[1] = posDefend[1] > 0 ? halfGoal : -halfGoal;
  posDefend[0] = dDist - PITCH_HALF_LENGTH;
  if (!fieldgeometry::finite(posDefend)) {
    traceLine(ZONE_SKILLS, LEVEL_DETAIL, "defendGoalLine: no defence point on that line");
    return SoccerCommand(SoccerCommand::CMD_NONE);
  }

  const double dDiff =
      3.5 * (1.0 - std::max(0.0, posBall[0] + PITCH_HALF_LENGTH - dDist) / 105.0);
  const double backDist = posBall[0] < -35.0 ? 20.0 : 1.0;
  const bool ballInPenaltyArea = wm.isInOurPenaltyArea(posBall);

  SoccerCommand soc(SoccerCommand::CMD_NONE);
  if (posAgent[0] > posDefend[0] + dDiff) {
    traceLine(ZONE_SKILLS, LEVEL_DETAIL, "defend position behind me");
    // Back first while the ball may be coming towards the goal.
    const bool moveBack = posBall[0] <= -30.0 &&
                          (!ball.getAbsVelConf().valid() || ball.getAbsVel()[0] <= -0.1);
    soc = dashToPosition(posDefend, backDist, moveBack, false);
  } else if (posAgent[0] < posDefend[0] - dDiff) {
    traceLine(ZONE_SKILLS, LEVEL_DETAIL, "defend position in front");
    soc = dashToPosition(posDefend, backDist, false, false);
  } else {
    if (ballInPenaltyArea)
      traceLine(ZONE_SKILLS, LEVEL_DETAIL, "move along line, with ball in penalty area");
    else
      traceLine(ZONE_SKILLS, LEVEL_DETAIL, "move along line, with ball outside penalty ",
                "area (", posAgent, ", ", posBall, ", ", ball.getAbsPosConf(), ")");
    soc = alongGuardLine(*this, posDefend, ball, posBall, me.getBodyAngle(), ballInPenaltyArea,
                         dDiff);
  }
  return soc;
}

SoccerCommand VekActions::blockPath() const {
  const WMState& wm = WM();
  const BallObject& ball = wm.getBall();
  const PlayerObject& me = *wm.getMe();
  const Vector2D posBall = ball.predictedPosition(1);
  const Vector2D posAgent = me.getAbsPos();
  const Unum n = wm.getMyNumber();
  const Vector2D basePos = wm.getStrategicPosition(n);
  const Formations::Formation& formation = FP->currentFormation();
  const double yMin = formation.getYMin(n);
  const double yMax = formation.getYMax(n);

  Vector2D posDefend =
      bisectorPoint(Vector2D(basePos[0], yMin), Vector2D(basePos[0], yMax), posBall);
  posDefend[1] = std::min(std::max(posDefend[1], yMin), yMax);
  posDefend[0] = basePos[0];
  if (!fieldgeometry::finite(posDefend)) {
    traceLine(ZONE_SKILLS, LEVEL_DETAIL, "blockPath: no guard point on that line");
    return SoccerCommand(SoccerCommand::CMD_NONE);
  }

  const bool ballClose = posBall.dist(posAgent) < 16.0;
  const double tolerance = ballClose ? 2.0 : 0.5;
  SoccerCommand soc(SoccerCommand::CMD_NONE);
  if (posAgent[0] > posDefend[0] + tolerance) {
    traceLine(ZONE_SKILLS, LEVEL_DETAIL, "dash backwards to guard point");
    soc = dashToPosition(posDefend, 30.0, true, false);
  } else if (posAgent[0] < posDefend[0] - tolerance) {
    traceLine(ZONE_SKILLS, LEVEL_DETAIL, "move forward to guard point");
    soc = dashToPosition(posDefend, 30.0, true, false);
  } else {
    if (ballClose)
      traceLine(ZONE_SKILLS, LEVEL_ENTRY, "move along line, with ball close");
    else
      traceLine(ZONE_SKILLS, LEVEL_ENTRY, "move along line, with distant ball area (", posAgent,
                ", ", posBall, ", ", ball.getAbsPosConf(), ")");
    soc = alongGuardLine(*this, posDefend, ball, posBall, me.getBodyAngle(), ballClose, 0.5);
  }
  return soc;
}

Vector2D VekActions::getOuterPositionInField(Vector2D pos, vekbase::AngleDeg ang, double dDist,
                                             double bWithPenalty) {
  const vekspace::Line2D lineObj(pos, ang);
  const vekspace::Line2D lineLength(Vector2D(PITCH_HALF_LENGTH - dDist, 0.0),
                                    vekbase::AngleDeg(90.0));
  Vector2D posShoot = lineObj.getIntersection(lineLength);

  // The line in front of the goal takes the shot only where it crosses near
  // the goal, or where the goal line's crossing is near as well.
  const vekspace::Line2D linePenalty(Vector2D(40.32 - dDist, 0.0), vekbase::AngleDeg(90.0));
  const Vector2D posPenalty = lineObj.getIntersection(linePenalty);
  const double dPenaltyY = std::fabs(posPenalty[1]);
  if (bWithPenalty != 0 && dPenaltyY < 20.16 &&
      (dPenaltyY < 15.16 || std::fabs(posShoot[1]) < 20.16))
    posShoot = posPenalty;

  const double sideY = double(ang) >= 0 ? PITCH_HALF_WIDTH - dDist : dDist - PITCH_HALF_WIDTH;
  const vekspace::Line2D lineSide(Vector2D(0.0, sideY), vekbase::AngleDeg(0.0));
  if (std::fabs(posShoot[1]) > PITCH_HALF_WIDTH - dDist)
    posShoot = lineObj.getIntersection(lineSide);
  return posShoot;
}
