// Dribbling: the geometry it rests on (running into the ball, opponents in a
// corridor, the direction away from near opponents, the way round opponents
// towards a target, whether an opponent covers a point), holding the ball,
// the basic dribble of one cycle, its steering, and turning with the ball
// and playing it past an opponent.
//
// Directions called relative are measured from the agent's body; a seen
// object's direction is held relative to the agent's neck.

#include <algorithm>
#include <cmath>
#include <limits>

#include "tolvane/clientparam.h"
#include "tolvane/serverparam.h"
#include "tolvane/fieldgeometry.h"
#include "tolvane/updateablewmstate.h"
#include "tolvane/vekactions.h"
#include "tolvanespace/line2d.h"
#include "tolvanespace/region.h"
#include "vomarlog/vomardraw.h"

using fieldgeometry::PITCH_HALF_LENGTH;
using fieldgeometry::PITCH_HALF_WIDTH;
using fieldgeometry::direction;
using fieldgeometry::finite;
using fieldgeometry::onField;
using fieldgeometry::polar;
using vekbase::AngleDeg;

namespace {

const unsigned int ZONE = 1210;
const unsigned int ZONE_KICK = 1205;
const unsigned int ZONE_SKILLS = 1201;

// The candidate directions of the enemy avoidance, 10 degrees apart.
const int ANG_DIVS = 36;

// Calls visit for every opponent and every player of unknown team or number
// whose position is known.
template <class Visit> void forEachPlacedOpponent(const WMState& wm, Visit visit) {
  for (const PlayerObject& p : wm.getOthers())
    if (p.getAbsPosConf().valid()) visit(p);
  for (const PlayerObject& p : wm.getUnknown())
    if (p.getAbsPosConf().valid()) visit(p);
}

// A monitor drawing of the line from a to b, built only when it is logged.
void drawLine(const Vector2D& a, const Vector2D& b) {
  if (vomar::Forwarder* out = vomar::indentedLine(vomar::ForwarderStreamBuf::S_TRACER, ZONE, 40))
    *out << vomar::Draw::draw(vomar::Draw::line(float(a[0]), float(a[1]), float(b[0]),
                                                float(b[1]), "101010"))
         << "\n";
}

// The step of a fan of angDiffs steps from minAngle to maxAngle (not above
// it), or 0 when the walk over it could not end: a step that is not a
// positive number, more steps than the parameters allow, or one too small to
// move the walk on.
double fanStep(AngleDeg minAngle, AngleDeg maxAngle, double angDiffs) {
  const double step = double((maxAngle - minAngle) / angDiffs);
  if (!(step > 0.0) || !std::isfinite(step)) return 0.0;
  if (!((double(maxAngle) - double(minAngle)) / step <= ClientParam::AVOIDANCE_STEPS_MAX))
    return 0.0;
  const double widest = std::max(std::fabs(double(minAngle)), std::fabs(double(maxAngle)));
  if (!(widest + step > widest)) return 0.0;
  return step;
}

// The length of the ball's way along the line towards the target (dist
// away) before an opponent at a along the line and h beside it could reach
// it: 2.5 m short of the point as far from the agent as from the opponent.
// False when the opponent stands too near the way to be played past.
bool shootLength(double dist, double a, double h, bool known, double& len) {
  // An opponent whose position is not known is taken to be far away.
  double calcDist = 20.0;
  if (known) {
    if (a > 0.0)
      calcDist = a + (h * h - a * a) / (2.0 * a);
    else if (h > 0.0)
      calcDist = std::numeric_limits<double>::infinity(); // level with the agent, beside the way
    else
      return false; // on the agent's own spot
  }
  if (calcDist > 7.0) {
    const double x = dist > calcDist - 2.5 ? calcDist - 2.5 : dist;
    len = x < 20.0 ? x : 20.0;
    return true;
  }
  if (!(h - 0.3 > a)) return false;
  len = dist > 20.0 ? 20.0 : dist;
  return true;
}

} // namespace

// ---- Dribble geometry ----

bool VekActions::willDashBeCollision(double dashPower, double buffer) {
  const WMState& wm = WM();
  const Vector2D predBall = wm.getBall().predictedPosition(1);
  const Vector2D predMe = wm.getMe()->predictedPosition(dashPower, 1);
  const bool collision = predBall.dist(predMe) <= SP->bsize + SP->psize + buffer;
  traceLine(ZONE, 30, collision ? "willDashBeCollision: true" : "willDashBeCollision: false");
  return collision;
}

AngleDeg VekActions::normalizeDribAng(AngleDeg ang) {
  if (double(ang) <= -90.0) return AngleDeg(-90.0);
  if (double(ang) >= 90.0) return AngleDeg(90.0);
  return ang;
}

AngleDeg VekActions::normalizeDribAngWithBuffer(AngleDeg ang) { return normalizeDribAng(ang); }

Value VekActions::numOpponentsInWay(double wayWidth, double wayHeight, AngleDeg wayAngle) {
  traceLine(ZONE, 30, "Value VekActions::numOpponentsInWay(double, double, vekbase::AngleDeg)",
            " (", wayWidth, ", ", wayHeight, ", ", double(wayAngle), ")");
  const WMState& wm = WM();
  const double playerSize = SP->kmargin + SP->psize;
  const AngleDeg neck = wm.myRelativeNeckAngle();
  Value oppNum = 0.0;
  forEachPlacedOpponent(wm, [&](const PlayerObject& p) {
    // From where the player was seen, in the corridor's frame: x along it.
    Vector2D relEnemyPos = polar(p.getDist(), neck + p.getDir());
    if (double(wayAngle) != 0.0) relEnemyPos.rotateCart(-wayAngle);
    // A moving player widens the corridor by its speed.
    const double halfWidth = wayHeight * 0.5 + playerSize + p.getAbsVel().length();
    if (relEnemyPos[0] > 0.0 && relEnemyPos[0] <= wayWidth &&
        std::fabs(relEnemyPos[1]) < halfWidth) {
      traceLine(ZONE, 30, "COLLISION");
      oppNum += 1.0;
    }
  });
  return oppNum;
}

// ---- Enemy avoidance and holding the ball ----

AngleDeg VekActions::avoidEnemyAngle() {
  const WMState& wm = WM();
  const double dribbleArea = CP->dribbleArea();
  AngleDeg bestAngle(90.0);
  const Vector2D myPos = wm.myPosition();
  const vekspace::CircleRegion myArea(myPos, dribbleArea);
  double anglePriority[ANG_DIVS] = {};
  auto candidate = [](int j) { return AngleDeg(double(360 * j / ANG_DIVS)); };
  const AngleDeg neck = wm.myRelativeNeckAngle();

  forEachPlacedOpponent(wm, [&](const PlayerObject& p) {
    if (!myArea.in(p.getAbsPos())) return;
    // Near opponents weigh most; from about 6 m on nothing.
    const double d = p.getDist();
    double weight = -0.03 * d * d + 0.01 * d + 1.0;
    if (weight > 1.0)
      weight = 1.0;
    else if (weight < 0.0)
      weight = 0.0;
    if (p.isGoalie()) weight *= 2.0;
    const AngleDeg enemyAngle = p.getDir() + neck;
    for (int j = 0; j < ANG_DIVS; ++j) {
      const AngleDeg tmpAngle(std::fabs(double(enemyAngle - candidate(j))));
      anglePriority[j] += weight * (1.0 - vekmath::cos(tmpAngle)) * 0.5;
    }
  });

  // Never a direction whose point 1 m away lies off the field.
  double weight = -1.0;
  for (int i = 0; i < ANG_DIVS; ++i) {
    const AngleDeg tmpAngle = wm.myBodyAngle() + candidate(i);
    const Vector2D tmpVector = myPos + polar(1.0, tmpAngle);
    if (anglePriority[i] > weight && onField(tmpVector)) {
      bestAngle = candidate(i);
      weight = anglePriority[i];
    }
  }
  traceLine(ZONE, 30, "AvoidEnemyAngle: bestAngle: ", double(bestAngle));
  return bestAngle;
}

SoccerCommand VekActions::holdBall() {
  const AngleDeg angle = avoidEnemyAngle();
  traceLine(ZONE_KICK, 20, "holdBall in angle: ", double(angle));
  return kickBallCloseToBody(angle, 0.6);
}

// ---- Obstacle avoidance ----

AngleDeg VekActions::avoidObstacleAngle(Vector2D endPos, double searchDist, AngleDeg minAngle,
                                        AngleDeg maxAngle, double angDiffs) {
  const WMState& wm = WM();
  double bestWeight = 1000.0;
  double bestAngle = 0.0;
  const double playerSize = SP->kmargin + SP->psize;
  const Vector2D myPos = wm.myPosition();
  const AngleDeg myAngle = wm.myBodyAngle();
  const Vector2D leftPoint = myPos + polar(playerSize, myAngle + AngleDeg(90.0));
  const Vector2D rightPoint = myPos + polar(playerSize, myAngle - AngleDeg(90.0));
  const Vector2D way = polar(searchDist, myAngle);

  drawLine(leftPoint, leftPoint + way);
  drawLine(rightPoint, rightPoint + way);
  drawLine(leftPoint, rightPoint);
  drawLine(leftPoint + way, rightPoint + way);
  traceLine(ZONE, 30, "avoidObstacle : checking for collisions");

  // An empty fan scores nothing; one whose walk could not end is refused.
  if (double(minAngle) > double(maxAngle)) return AngleDeg(0.0);
  const double incAngle = fanStep(minAngle, maxAngle, angDiffs);
  if (incAngle == 0.0) {
    traceLine(ZONE, 30, "avoidObstacle : no fan of ", angDiffs, " steps from ",
              double(minAngle), " to ", double(maxAngle));
    return AngleDeg(0.0);
  }

  const double toTarget = (endPos - myPos).dir(vekmath::DEG);
  for (double tmpAngle = double(minAngle); !(tmpAngle > double(maxAngle));
       tmpAngle += incAngle) {
    const Value oppNum = numOpponentsInWay(searchDist, 2.0 * playerSize, AngleDeg(tmpAngle));
    const Vector2D outOfBounds =
        myPos + polar(searchDist * 0.5, myAngle + AngleDeg(tmpAngle));
    // The turn from the candidate to the target, the shorter way round.
    const double deviation =
        std::fabs(double(AngleDeg(toTarget - double(myAngle) - tmpAngle)));
    double weight = deviation / 70.0 + 4.0 * oppNum;
    // Every metre of the corridor's middle beyond 2 m inside the lines costs.
    const double beyondSide = std::fabs(outOfBounds[1]) - (PITCH_HALF_WIDTH - 2.0);
    if (beyondSide > 0.0) weight += beyondSide;
    const double beyondGoal = std::fabs(outOfBounds[0]) - (PITCH_HALF_LENGTH - 2.0);
    if (beyondGoal > 0.0) weight += beyondGoal;
    if (weight <= bestWeight) {
      bestWeight = weight;
      bestAngle = double(AngleDeg(tmpAngle));
      traceLine(ZONE, 30, "avoidObstacle : bestWeight: ", bestWeight);
    }
  }
  return AngleDeg(bestAngle);
}

// ---- Position coverage ----

bool VekActions::positionCovered(Vector2D pos, PlayerObject opp, double buffer) {
  if (opp.getDist() > 5.0) return false;
  const WMState& wm = WM();
  const Vector2D oppPos = opp.getAbsPos();
  const Vector2D myPos = wm.myPosition();
  double stealArea = SP->pspeed_max;
  const double kickableArea = SP->bsize + SP->kmargin + SP->psize;

  // A field player whose way to pos leads through the agent gets no farther
  // than the agent's body.
  if (!opp.isGoalie()) {
    const vekspace::Line2D dashLine(pos, oppPos);
    const Vector2D pointOnLine = dashLine.getPointOnLineClosestTo(myPos);
    Vector2D foot;
    if (myPos.dist(pointOnLine) < 2.0 * SP->psize &&
        vekspace::Line2D::inBetween(pos, oppPos, myPos, foot))
      stealArea = opp.getDist() - 2.0 * SP->psize;
  } else {
    stealArea += SP->catch_area_l - kickableArea;
  }
  const double reach = stealArea + kickableArea + buffer;
  traceLine(ZONE, 40, "coverdistance: ", opp.getDist());
  traceLine(ZONE, 40, "dist: ", oppPos.dist(wm.getBall().getAbsPos()));
  traceLine(ZONE, 40, "stealArea: ", reach);
  return oppPos.dist(pos) < reach;
}

// ---- Ball control and the basic dribble ----

bool VekActions::ballUnderControl(int dashPower, AngleDeg dribbleAngle) {
  const WMState& wm = WM();
  if (!wm.isBallKickable()) return true;
  const Vector2D ballNext = wm.getBall().predictedPosition(1);
  const Vector2D meNext = wm.getMe()->predictedPosition(double(dashPower), 1);
  const AngleDeg expBallAngle = direction(ballNext - meNext) - wm.myBodyAngle();

  // A ball drifting towards the front of the body is never too far off.
  if (std::fabs(double(expBallAngle - dribbleAngle)) > 30.0 &&
      std::fabs(double(expBallAngle)) > std::fabs(double(dribbleAngle))) {
    traceLine(ZONE, 40, "ballUnderControl: expBallAngle is too far from dribbleAngle ");
    return false;
  }
  if (std::fabs(double(expBallAngle)) > 110.0) {
    traceLine(ZONE, 20, "ballUnderControl : expBallAngle is greater than 110  ");
    return false;
  }
  if (!wm.willBallBeKickable(1, dashPower, 0.15) && !wm.willBallBeKickable(2, dashPower, 0.1)) {
    traceLine(ZONE, 20, "ballUnderControl : stopping Ball cause too fast ");
    return false;
  }
  if (willDashBeCollision(dashPower, 0.2)) {
    traceLine(ZONE, 20, "ballUnderControl : dashWillBeCollision  ");
    return false;
  }
  return true;
}

SoccerCommand VekActions::basicDribble(int dashPower, AngleDeg direction, AngleDeg dribbleAngle) {
  traceLine(ZONE, 10, "basicDribble with direction: ", double(direction),
            "dribbleAngle: ", double(dribbleAngle), "dashPower", dashPower);
  const WMState& wm = WM();
  if (!wm.isBallKickable()) {
    traceLine(ZONE, 20, "basicDribble: probably lost ball, now intercepting ");
    return intercept(wm.getMe()->isGoalie(), 0.0);
  }
  if (std::fabs(double(wm.ballAngleFromBody())) > 110.0)
    return kickBallCloseToBody(dribbleAngle, 0.6);
  if (std::fabs(double(direction - wm.myBodyAngle())) > 15.0) return turnWithBallTo(direction);
  if (ballUnderControl(dashPower, dribbleAngle)) {
    traceLine(ZONE, 20, "basicDribble : ball is under control, so dash behind... ");
    return SoccerCommand(SoccerCommand::CMD_DASH, double(dashPower));
  }

  // Kick the ball ahead so that the dashing agent meets it again: give it
  // the fewest cycles (2 to 5) after which a ball sent to meet the agent
  // would lie at least 0.95 m from where the agent drifts in the kick cycle.
  const PlayerObject& me = *wm.getMe();
  const BallObject& ball = wm.getBall();
  const Vector2D ballPos = ball.getAbsPos();
  const Vector2D meAfterKick = me.predictedPosition(1);
  const SoccerCommand tmpCom(SoccerCommand::CMD_NONE);
  const SoccerCommand dashCom(SoccerCommand::CMD_DASH, double(dashPower));
  PlayerObject meNextCycle = me.predictedAfterCommand(tmpCom).predictedAfterCommand(dashCom);
  Vector2D vecShoot = (meNextCycle.getAbsPos() - ballPos) / (1.0 + SP->bdecay);
  double predBallDist = (ballPos + vecShoot).dist(meAfterKick);
  int dashSteps = 2;
  while (ball.getDist() > SP->bsize + SP->psize && predBallDist < 0.95 && dashSteps <= 4) {
    traceLine(ZONE, 40, "basicDribble: balldist after ", dashSteps, " cycles Dist := ",
              predBallDist);
    meNextCycle = meNextCycle.predictedAfterCommand(dashCom);
    vecShoot = (meNextCycle.getAbsPos() - ballPos) * (1.0 - SP->bdecay) /
               (1.0 - std::pow(SP->bdecay, dashSteps));
    predBallDist = (ballPos + vecShoot).dist(meAfterKick);
    if (predBallDist >= 0.95) break;
    ++dashSteps;
  }
  traceLine(ZONE, 30, "basicDribble: performing delayedKick with ", dashSteps, " dashSteps ");
  SoccerCommand kickCom = dribbleKick(dribbleAngle, double(dashPower), dashSteps);
  if (willKickBeCollision(kickCom.getValue0(), kickCom.getAngle(), 0.05) ||
      kickCom.getValue0() < 6.0) {
    kickCom = dribbleKick(dribbleAngle / 2.0, double(dashPower), 3);
    traceLine(ZONE, 20, "basicDribble : dribbleKick would be Collsion ...");
    traceLine(ZONE, 20, "basicDribble : ... performing dribbleKick to tangential point");
  }
  return kickCom;
}

// ---- Dribble steering ----

SoccerCommand VekActions::dribbleToPosition(int mode, Vector2D endPos, int dashPower,
                                            bool avoidEnemy) {
  if (endPos[0] > PITCH_HALF_LENGTH) endPos[0] = PITCH_HALF_LENGTH;
  if (endPos[0] < -PITCH_HALF_LENGTH) endPos[0] = -PITCH_HALF_LENGTH;
  if (endPos[1] > PITCH_HALF_WIDTH) endPos[1] = PITCH_HALF_WIDTH;
  if (endPos[1] < -PITCH_HALF_WIDTH) endPos[1] = -PITCH_HALF_WIDTH;
  return dribbleAtAngle(mode, direction(endPos - WM().myPosition()), dashPower, avoidEnemy);
}

SoccerCommand VekActions::dribbleAtAngle(int mode, AngleDeg direction, int dashPower,
                                         bool avoidEnemy) {
  traceLine(ZONE, 10, "dribbleAtAngle with mode :", mode, "direction: ", double(direction),
            "dashPower: ", dashPower, "avoidEnemyFlag", avoidEnemy ? 1 : 0);
  if (mode < 1 || mode > 3) {
    traceLine(ZONE, 20, "dribbleAtAngle: no dribble mode ", mode);
    return SoccerCommand(SoccerCommand::CMD_NONE);
  }
  if (dashPower > 100) dashPower = 100;
  const WMState& wm = WM();
  const double playerSize = SP->kmargin + SP->psize;
  const Vector2D ballPredPos = wm.getBall().predictedPosition(1);
  const AngleDeg myBodyAngle = wm.myBodyAngle();
  int interceptCycles = 5;
  bool collision = false;
  const double maxAngle = CP->avoidMaxAngle();
  AngleDeg aoa(0.0);
  // The side on which the ball lies; straight ahead counts as the right.
  AngleDeg dribbleAngle(double(wm.ballAngleFromBody()) > 0.0 ? 90.0 : -90.0);
  if (mode == 3) {
    mode = 2;
    interceptCycles = 8;
  }

  if (avoidEnemy) {
    const Vector2D tmpPos = wm.myPosition() + polar(10.0, direction);
    collision = numOpponentsInWay(10.0, 4.0 * playerSize, direction - myBodyAngle) > 0.0;
    aoa = avoidObstacleAngle(tmpPos, CP->avoidDist(), AngleDeg(-maxAngle), AngleDeg(maxAngle),
                             CP->avoidEvalAngles());
  }
  // Without avoidance the agent keeps running where its body points; an
  // offset below 10 degrees is not worth a turn.
  AngleDeg lastDirection = myBodyAngle;
  if (std::fabs(double(aoa)) > 0.0) {
    traceLine(ZONE, 10, "dribbleAtAngle: avoiding enemy");
    if (std::fabs(double(aoa)) >= 10.0) lastDirection = myBodyAngle + aoa;
  } else if (collision) {
    traceLine(ZONE, 20, "dribbleAtAngle: can't turn to endPos, enemy in my way :(");
  }

  // The fastest opponent to the ball, or the unidentified player at that
  // index when the opponent's position is not known.
  Unum shirtNum = 0;
  wm.getFastestOpponentToBall(shirtNum);
  PlayerObject fastestOpp;
  if (shirtNum < wm.getOthers().size()) fastestOpp = wm.getOthers(int(shirtNum));
  if (shirtNum < wm.getUnknown().size()) {
    const PlayerObject fastestUnknownOpp = wm.getUnknown(int(shirtNum));
    if (!fastestOpp.getAbsPosConf().valid()) fastestOpp = fastestUnknownOpp;
  }

  if (std::fabs(fastestOpp.getDist()) < 7.0 && fastestOpp.getAbsPosConf().valid() &&
      avoidEnemy) {
    dribbleAngle = avoidEnemyAngle();
    // The ball's direction from the body against the opponent's from the
    // neck, as the steering has always compared them.
    if (std::fabs(double(wm.ballAngleFromBody() - fastestOpp.getDir())) < 90.0 &&
        positionCovered(ballPredPos, fastestOpp, 0.5))
      return kickBallCloseToBody(dribbleAngle, 0.7);
    dribbleAngle = normalizeDribAng(dribbleAngle);
  }

  if (mode == 1) return basicDribble(dashPower, lastDirection, dribbleAngle);
  if (std::fabs(double(lastDirection - myBodyAngle)) > 20.0)
    return basicDribble(dashPower, lastDirection, AngleDeg(0.0));
  return dribbleKick(AngleDeg(0.0), double(dashPower), interceptCycles);
}

// ---- Turning with the ball and outplaying an opponent ----

SoccerCommand VekActions::turnWithBallTo(AngleDeg ang) {
  static const char* const sig = "SoccerCommand VekActions::turnWithBallTo(vekbase::AngleDeg)";
  vomar::Forwarder* log = vomar::Forwarder::instance(8192);
  log->incIndent();
  traceLine(ZONE_SKILLS, 10, sig);
  const WMState& wm = WM();
  const PlayerObject& me = *wm.getMe();
  const Vector2D posAgent = me.getAbsPos();
  const Vector2D posAgentPred = me.predictedPosition(1);
  const Vector2D posBallPred = wm.getBall().predictedPosition(1);
  const AngleDeg relAngle = ang - me.getBodyAngle();
  const SoccerCommand turn = turnBodyToPoint(posAgent + polar(1.0, ang), 1);
  // Turn only while the ball stays kickable and clear of the body.
  const bool turning = wm.willBallBeKickable(1, 0.0, 0.1) &&
                       posBallPred.dist(posAgentPred) > SP->psize &&
                       std::fabs(double(relAngle)) > 10.0;
  traceLine(ZONE_SKILLS, 10, sig, turning ? ": doing a turn" : ": freezing ball ");
  log->decIndent();
  return turning ? turn : freezeBall();
}

SoccerCommand VekActions::outplayOpponent(PlayerObject po, Vector2D pos, Vector2D& posTo) {
  if (!finite(pos)) {
    traceLine(ZONE_SKILLS, 30, "outplayOpponent: no finite target ", pos);
    return SoccerCommand(SoccerCommand::CMD_NONE);
  }
  const WMState& wm = WM();
  const Vector2D posAgent = wm.myPosition();
  const double dist = (posAgent - pos).length();
  const AngleDeg ang = direction(pos - posAgent);
  // The opponent's foot on the ball's way: a along the way (either side of
  // the agent), h beside it.
  const vekspace::Line2D l(posAgent, ang);
  const Vector2D posOpp = po.getAbsPos();
  const Vector2D posProj = l.getPointOnLineClosestTo(posOpp);
  const double h = (posProj - posOpp).length();
  const double a = (posProj - posAgent).length();
  double len = 0.0;
  if (!shootLength(dist, a, h, po.getAbsPosConf().valid(), len))
    return SoccerCommand(SoccerCommand::CMD_NONE);
  const Vector2D posShoot = posAgent + polar(len, ang);
  if ((posShoot - posAgent).length() < 2.5) return SoccerCommand(SoccerCommand::CMD_NONE);
  if (wm.getOpponentsInRegion(vekspace::ConeRegion(posAgent, posShoot, 0.3)) != 0)
    return SoccerCommand(SoccerCommand::CMD_NONE);
  const SoccerCommand kick = kickToPoint(3, false, posShoot, 0.5);
  if (kick.command() != SoccerCommand::CMD_NONE) posTo = posShoot;
  return kick;
}
