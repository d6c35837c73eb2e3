// The kick layer: kick and tackle commands, precise kicks that lay the ball
// on a point, the planning of one kick that gives the ball a wanted velocity
// (with its collision test and the preparation of a badly lying ball), and
// kicking at an angle or to a point.
//
// The kick model assumed throughout: a kick of power p in direction d
// (relative to the body) changes the ball's velocity by p times the effective
// kick power rate, in the field direction body + d; the ball then moves by
// its velocity and slows by the ball decay every cycle.

#include "tolvane/vekactions.h"

#include <algorithm>
#include <cmath>

#include "tolvane/serverparam.h"
#include "tolvane/fieldgeometry.h"
#include "tolvane/updateablewmstate.h"

namespace {

const unsigned int ZONE_KICK = 1205;
const unsigned short LEVEL_ENTRY = 20;
const unsigned short LEVEL_DETAIL = 30;

using fieldgeometry::PITCH_HALF_LENGTH;
using fieldgeometry::PITCH_HALF_WIDTH;
// The fastest ball the planners reckon with, metres per cycle.
const double BALL_SPEED_LIMIT = 2.7;
// The margin of the world model's own kick power rate.
const double MODEL_KICK_MARGIN = 0.7;

using vekbase::AngleDeg;

using fieldgeometry::direction;
using fieldgeometry::polar;

// The share of a kick's power that reaches a ball lying in direction delta
// from the body at distance d from the kicker's centre; not limited.
double effectiveKickRate(const ServerParam& sp, AngleDeg delta, double d) {
  return sp.kprate * ((1.0 - std::fabs(double(delta)) / 720.0) -
                      (d - sp.bsize - sp.psize) / (4.0 * sp.kmargin));
}

// The turn, in degrees, away from a wanted direction that lets a kick of
// size `size` cancel the ball's speed `cross` across that direction. A kick
// too weak for it cancels as much as it can; one of size 0 cancels nothing.
double crossCorrection(double cross, double size) {
  const double sine = size == 0.0 ? 0.0 : cross / size;
  return vekmath::asin(std::max(-1.0, std::min(1.0, sine)), vekmath::DEG);
}

// The field direction of a kick of size `speed` after which a ball moving
// with velBall moves along velDes: the kick cancels the part of velBall
// across velDes and spends the rest forwards. False when a kick of that size
// cannot cancel it all (dir is then the best it can do).
bool kickAlong(const Vector2D& velDes, const Vector2D& velBall, double speed, AngleDeg& dir) {
  const AngleDeg along = direction(velDes);
  Vector2D across = velBall;
  across.rotateCart(-along);
  const double tmp = across[1];
  dir = along - AngleDeg(crossCorrection(tmp, speed));
  return speed != 0.0 && std::fabs(tmp / speed) <= 1.0;
}

// The acceleration, body frame, of a kick of size amod whose direction is
// chosen so that a ball of speed ballSpeed heading phi0 (body frame) then
// moves along desiredAngle. Not a number when the kick is too weak for it.
Vector2D accelerationAlong(double amod, double ballSpeed, AngleDeg phi0, AngleDeg desiredAngle) {
  const AngleDeg off = phi0 - desiredAngle;
  const AngleDeg psi =
      desiredAngle - AngleDeg(vekmath::asin(ballSpeed * vekmath::sin(off) / amod, vekmath::DEG));
  return Vector2D(amod * vekmath::cos(psi), amod * vekmath::sin(psi));
}

// v cut to the length limit when it is longer.
Vector2D cutTo(Vector2D v, double limit) {
  if (v.length() > limit) v.setLength(limit);
  return v;
}

// v held within [-limit, limit]; not a number stays one, so that no kick
// aims at a border for it.
double heldWithin(double v, double limit) { return v > limit ? limit : v < -limit ? -limit : v; }

bool withinOpen(double v, double lo, double hi) { return lo < v && v < hi; }
bool withinClosed(double v, double lo, double hi) { return lo <= v && v <= hi; }

} // namespace

SoccerCommand VekActions::tackle(double power) const {
  traceLine(ZONE_KICK, LEVEL_ENTRY, "tackle: ", power);
  return finiteOrNone(SoccerCommand(SoccerCommand::CMD_TACKLE, power), ZONE_KICK);
}

SoccerCommand VekActions::kick_to(double power, AngleDeg phi1) {
  traceLine(ZONE_KICK, LEVEL_ENTRY, "SoccerCommand VekActions::kick_to(double, vekbase::AngleDeg)",
            " (", power, ", ", phi1, ")");
  if (power <= 0.0) return SoccerCommand(SoccerCommand::CMD_NONE);
  return finiteOrNone(SoccerCommand(SoccerCommand::CMD_KICK, power, phi1), ZONE_KICK);
}

SoccerCommand VekActions::kickPrecisely(Vector2D posDesBall, int cycles) {
  TraceScope scope(ZONE_KICK,
                   "SoccerCommand VekActions::kickPrecisely(vekmath::Vector<Value, 2>, int)");
  if (cycles <= 0) {
    traceLine(ZONE_KICK, LEVEL_DETAIL, "kickPrecisely invalid command: cycles <=0 !!!!");
    return SoccerCommand(SoccerCommand::CMD_NONE);
  }
  const WMState& wm = WM();
  const BallObject& ball = wm.getBall();
  const AngleDeg angBody = wm.myBodyAngle();
  const Vector2D vecDesired = posDesBall - ball.getAbsPos();
  // The velocity the ball must leave with to cover vecDesired in time, less
  // the velocity it already has.
  const Vector2D vecShoot =
      vecDesired / vekmath::sumGeomSeries(1.0, SP->bdecay, cycles) - ball.getAbsVel();
  double power = ball.getKickPowerForSpeed(vecShoot.length(), angBody);
  const AngleDeg angActual = direction(vecShoot) - angBody;
  // Too far for one kick: the ball falls short along the same line.
  if (power > SP->maxp) power = SP->maxp;
  return finiteOrNone(SoccerCommand(SoccerCommand::CMD_KICK, power, angActual), ZONE_KICK);
}

SoccerCommand VekActions::kickBallCloseToBody(AngleDeg relAng, double relDist) {
  TraceScope scope(ZONE_KICK,
                   "SoccerCommand VekActions::kickBallCloseToBody(vekbase::AngleDeg, double)",
                   relAng, relDist);
  const WMState& wm = WM();
  const AngleDeg angBody = wm.myBodyAngle();
  const Vector2D posAgent = wm.getMe()->predictedPosition(1);
  const AngleDeg angGlobal = angBody + relAng;
  const Vector2D posDesBall = posAgent + polar(relDist, angGlobal);
  return kickPrecisely(posDesBall, 1);
}

SoccerCommand VekActions::freezeBall() {
  traceLine(ZONE_KICK, LEVEL_ENTRY, "SoccerCommand VekActions::freezeBall()");
  const WMState& wm = WM();
  const BallObject& ball = wm.getBall();
  double dPower = ball.getKickPowerForSpeed(ball.getAbsVel().length(), wm.myBodyAngle());
  if (dPower > SP->maxp) {
    dPower = SP->maxp;
    traceLine(ZONE_KICK, LEVEL_DETAIL, "ball has to much power");
  }
  const AngleDeg dAngle = wm.ballRelativeToBodyHeading() + AngleDeg(180.0);
  return finiteOrNone(SoccerCommand(SoccerCommand::CMD_KICK, dPower, dAngle), ZONE_KICK);
}

SoccerCommand VekActions::kickToTangentialPoint() {
  const char* sig = "SoccerCommand VekActions::kickToTangentialPoint()";
  TraceScope scope(ZONE_KICK, sig);
  scope.setExitText(sig);
  const double side = double(WM().ballAngleFromBody()) < 0.0 ? -90.0 : 90.0;
  return kickBallCloseToBody(AngleDeg(side), 0.6);
}

SoccerCommand VekActions::dribbleKick(AngleDeg relAng, double dashPower, int dashSteps) {
  const char* sig = "SoccerCommand VekActions::dribbleKick(vekbase::AngleDeg, double, int)";
  TraceScope scope(ZONE_KICK, sig, relAng, dashPower, dashSteps);
  scope.setExitText(sig);
  // The ball 0.6 m to the side of the body's line, but at most 1 m away;
  // straight ahead or behind the quotient is infinite and the 1 m holds.
  const double relDist = std::min(1.0, std::fabs(0.6 / vekmath::sin(relAng)));
  const WMState& wm = WM();
  const AngleDeg angBody = wm.myBodyAngle();
  // The agent drifts in the kick cycle and dashes in the others.
  const PlayerObject meNextCycle =
      wm.getMe()->predictedAfterCommand(SoccerCommand(SoccerCommand::CMD_NONE));
  const Vector2D predPos = meNextCycle.predictedPosition(dashPower, dashSteps - 1);
  const AngleDeg angGlobal = angBody + relAng;
  const Vector2D posDesBall = predPos + polar(relDist, angGlobal);
  return kickPrecisely(posDesBall, dashSteps);
}

AngleDeg VekActions::getActualKickAngle(double kickpower, AngleDeg desiredAngle) {
  if (kickpower <= 0.001) kickpower = 0.001;
  const WMState& wm = WM();
  const BallObject& ball = wm.getBall();
  const double ballSpeed = ball.getAbsVel().length();
  const AngleDeg phi = wm.ballRelativeToBodyHeading() - desiredAngle;
  const double rate = effectiveKickRate(*SP, wm.ballAngleFromBody(), ball.getDist());
  return desiredAngle - AngleDeg(crossCorrection(ballSpeed * vekmath::sin(phi), kickpower * rate));
}

bool VekActions::willKickBeCollision(double kick_power, AngleDeg kick_dir, double buffer) {
  const char* sig = "bool VekActions::willKickBeCollision(double, vekbase::AngleDeg, double)";
  const WMState& wm = WM();
  const BallObject& ball = wm.getBall();
  Vector2D bPos, pPos;
  {
    TraceScope scope(ZONE_KICK, sig);
    scope.setExitText(sig);
    const SoccerCommand kick(SoccerCommand::CMD_KICK, kick_power, kick_dir);
    bPos = ball.predictedPos(1, kick, ball.getDist(), wm.ballAngleFromBody(), wm.myBodyAngle());
    traceLine(ZONE_KICK, LEVEL_DETAIL, "willKickBeCollision: predictedBallPos ", bPos);
    pPos = wm.getMe()->predictedPosition(1);
  }
  return bPos.dist(pPos) <= SP->bsize + SP->psize + buffer;
}

Vector2D VekActions::getAccelerationVector(AngleDeg myAngle, Vector2D myPos, Vector2D ballPos,
                                           Vector2D ballVel, double kickpower,
                                           AngleDeg desiredAngle) {
  if (kickpower < 0.001) kickpower = 0.001;
  const WMState& wm = WM();
  // Direction of the ball and heading come from the model; the arguments
  // give only the distance and the speed.
  const double amod =
      kickpower * effectiveKickRate(*SP, wm.ballAngleFromBody(), (ballPos - myPos).length());
  const AngleDeg phi0 = direction(wm.getBall().getAbsVel()) - myAngle;
  return accelerationAlong(amod, ballVel.length(), phi0, desiredAngle);
}

Vector2D VekActions::getAccelerationVector(double kickpower, AngleDeg desiredAngle) {
  if (kickpower < 0.001) kickpower = 0.001;
  const WMState& wm = WM();
  const BallObject& ball = wm.getBall();
  const double amod = kickpower * effectiveKickRate(*SP, wm.ballAngleFromBody(), ball.getDist());
  return accelerationAlong(amod, ball.getAbsVel().length(), wm.ballRelativeToBodyHeading(),
                           desiredAngle);
}

SoccerCommand VekActions::accelerateBallToVelocity(Vector2D velDes) {
  traceLine(ZONE_KICK, LEVEL_ENTRY, "accelerateBall ToVelocity Vel: ", velDes.length());
  const WMState& wm = WM();
  const BallObject& ball = wm.getBall();
  const AngleDeg angBody = wm.myBodyAngle();
  const Vector2D velBall = ball.getAbsVel();
  const Vector2D accDes = velDes - velBall;
  const double kickPowerRate =
      ball.getActualKickPowerRate(wm.ballAngleFromBody(), ball.getDist(), MODEL_KICK_MARGIN);
  double power;
  AngleDeg angActual;
  if (accDes.length() < SP->baccel_max) {
    power = ball.getKickPowerForSpeed(accDes.length(), angBody);
    // Capped, the kick makes a smaller change along the same line.
    if (power > SP->maxp) power = SP->maxp;
    angActual = direction(accDes) - angBody;
  } else {
    // One kick cannot make the whole change: full power on a velocity that
    // at least points along velDes.
    power = SP->maxp;
    kickAlong(velDes, velBall, kickPowerRate * power, angActual);
    angActual = angActual - angBody;
  }
  return finiteOrNone(SoccerCommand(SoccerCommand::CMD_KICK, power, angActual), ZONE_KICK);
}

SoccerCommand VekActions::OptimizeKick(AngleDeg kickAngle, double v1, bool& success) {
  SoccerCommand optimalKick(SoccerCommand::CMD_NONE);
  const WMState& wm = WM();
  const BallObject& ball = wm.getBall();
  const double ballDist = ball.getDist();
  // Body frame, except vp, which is the agent's velocity on the field.
  const Vector2D s1 = polar(ballDist, wm.ballAngleFromBody());
  const Vector2D vp = wm.myVelocity();
  const Vector2D vb = wm.ballRelativeToBodyVel();
  const Vector2D startVel = polar(v1, kickAngle);
  const Vector2D s2 = s1 + vb - vp;
  const AngleDeg delta2 = direction(s2);
  const double d2 = s2.length() - SP->bsize - SP->psize;

  // Turn so that the ball lies straight ahead next cycle.
  if (d2 > 0.0 && d2 + SP->psize <= SP->kmargin) {
    // The rate once the ball lies straight ahead.
    const double C = effectiveKickRate(*SP, AngleDeg(0.0), s2.length());
    const double kickpower = (startVel - vb).length() / C;
    if (withinOpen(kickpower, -SP->maxp, SP->maxp)) {
      AngleDeg ActualTurnAngle = delta2;
      if (wm.getMe()->getAbsVelConf().valid())
        ActualTurnAngle = delta2 * (wm.getMySpeed() * SP->inertia_moment + 1.0);
      else
        traceLine(ZONE_KICK, LEVEL_ENTRY,
                  "OptimizeKick: need to know my velocity to calculate actual turn angle");
      if (withinOpen(double(ActualTurnAngle), SP->minm, SP->maxm)) {
        optimalKick = SoccerCommand(SoccerCommand::CMD_TURN, ActualTurnAngle);
        success = true;
        traceLine(ZONE_KICK, LEVEL_ENTRY, "OptimizeKick: turning towards the ball");
        return optimalKick;
      }
      traceLine(ZONE_KICK, LEVEL_ENTRY, "OptimizeKick: can't do the turn ");
    }
  }
  traceLine(ZONE_KICK, LEVEL_ENTRY, "OptimizeKick: ... turning does not help.. ");

  double C = effectiveKickRate(*SP, wm.ballAngleFromBody(), ballDist);

  // Stop the ball where it lies, when the wanted kick is possible from there.
  if (vp.length() == 0.0 && withinOpen(startVel.length() / C, -SP->maxp, SP->maxp)) {
    const double power = vb.length() / C;
    const AngleDeg angle = direction(vb) - AngleDeg(180.0);
    optimalKick = SoccerCommand(SoccerCommand::CMD_KICK, power, angle);
    success = true;
    traceLine(ZONE_KICK, LEVEL_ENTRY, "OptimizeKick: stopping the ball ");
    return optimalKick;
  }

  // Kick the ball to touch the body straight ahead next cycle.
  const Vector2D front(SP->psize + SP->bsize, 0.0);
  const Vector2D a0 = vp + front - s1 - vb;
  const AngleDeg psi = direction(a0);
  const double kptofront = a0.length() / C;
  C = SP->kprate;
  Vector2D vBallNextCycle = vb + a0;
  const AngleDeg ballAngle = direction(vBallNextCycle);
  if (vBallNextCycle.length() > BALL_SPEED_LIMIT)
    vBallNextCycle = polar(BALL_SPEED_LIMIT, ballAngle);
  const double kickpower = (startVel - vBallNextCycle).length() / C;
  if (!withinOpen(kickpower, -SP->maxp, SP->maxp)) {
    traceLine(ZONE_KICK, LEVEL_ENTRY,
              "OptimizeKick: ...kicking the ball to front does not help... ");
    success = false;
    traceLine(ZONE_KICK, LEVEL_ENTRY, "OptimizeKick: no optimization possible !!!");
    return optimalKick;
  }
  if (!willKickBeCollision(kptofront, ballAngle, 0.0) &&
      withinClosed(kptofront, SP->minp, SP->maxp)) {
    optimalKick = SoccerCommand(SoccerCommand::CMD_KICK, kptofront, psi);
    traceLine(ZONE_KICK, LEVEL_ENTRY, "OptimizeKick: kicking the ball to front ");
    success = true;
    return optimalKick;
  }

  // Lay the ball beside the body.
  optimalKick = kickToTangentialPoint();
  traceLine(ZONE_KICK, LEVEL_ENTRY, "OptimizeKick: kick to front would result in collision...");
  // A tangential kick that could not be computed counts as refused.
  if (optimalKick.command() == SoccerCommand::CMD_KICK &&
      withinClosed(optimalKick.getValue0(), SP->minp, SP->maxp)) {
    success = true;
    traceLine(ZONE_KICK, LEVEL_ENTRY, "OptimizeKick: doing a tangentia kick ");
    return optimalKick;
  }
  traceLine(ZONE_KICK, LEVEL_ENTRY, "...tangential kick wouldn't work either ");
  return optimalKick;
}

SoccerCommand VekActions::kickAtAngle(int mode, bool autoCorrect, AngleDeg target, double power) {
  const WMState& wm = WM();
  const AngleDeg ballAngle = wm.ballAngleFromBody();
  if (mode > 4) mode = 4;
  if (mode == 3 || mode == 4) {
    target = target - wm.myBodyAngle();
    mode -= 2;
  }
  if (mode != 1 && mode != 2) {
    traceLine(ZONE_KICK, LEVEL_ENTRY, "kickAtAngle: kick is not pssible !!!");
    return SoccerCommand(SoccerCommand::CMD_NONE);
  }
  const double MinRatio = 0.75;
  bool optimized = false;

  if (mode == 1) {
    if (power > SP->maxp) power = SP->maxp;
    if (power < SP->minp) power = SP->minp;
    if (autoCorrect && willKickBeCollision(power, target, 0.0)) {
      traceLine(ZONE_KICK, LEVEL_ENTRY, "kickAtAngle(1): kick would be collision !");
      return kickToTangentialPoint();
    }
    if (std::fabs(double(ballAngle)) > 10.0 && autoCorrect) {
      // How much of the kick's power would reach the ball along target,
      // against what a touching ball in front would get.
      const Vector2D vParam = wm.myPosition() + Vector2D(SP->bsize + SP->psize, 0.0);
      const Vector2D vNull(0.0, 0.0);
      const Vector2D vb = wm.ballRelativeToBodyVel();
      Vector2D v1 = vb + getAccelerationVector(power, target);
      Vector2D vdesired =
          getAccelerationVector(wm.myBodyAngle(), wm.myPosition(), vParam, vNull, power, target);
      v1 = cutTo(v1, BALL_SPEED_LIMIT);
      vdesired = cutTo(vdesired, BALL_SPEED_LIMIT);
      if (power <= 0.001) power = 0.001;
      const double kp = v1.length() / SP->kprate;
      const double ratio = kp / power;
      if (ratio < MinRatio) {
        traceLine(ZONE_KICK, LEVEL_ENTRY, "kickAtAngle(1): trying to optimize kickpower.. ");
        const SoccerCommand params = OptimizeKick(target, MinRatio * vdesired.length(), optimized);
        if (optimized) {
          traceLine(ZONE_KICK, LEVEL_ENTRY, "kickAtAngle(1): succesful Optimization ");
          return params;
        }
        traceLine(ZONE_KICK, LEVEL_ENTRY, "kickAtAngle(1): no Optimization possible");
      }
    }
    return finiteOrNone(SoccerCommand(SoccerCommand::CMD_KICK, power, target), ZONE_KICK);
  }

  if (power > BALL_SPEED_LIMIT) power = BALL_SPEED_LIMIT;
  if (power < 0.0) power = 0.0;
  const double kp = wm.getBall().getKickPowerForSpeed(power, wm.myBodyAngle());
  const Vector2D velDes = polar(power, wm.myBodyAngle() + target);
  if (withinClosed(kp, SP->minp, SP->maxp) && autoCorrect) {
    if (willKickBeCollision(kp, target, 0.0)) return kickToTangentialPoint();
    return accelerateBallToVelocity(velDes);
  }
  if (std::fabs(double(ballAngle)) > 10.0 && autoCorrect) {
    traceLine(ZONE_KICK, LEVEL_ENTRY, "kickAtAngle(2): trying to optimize kickpower.. ");
    const SoccerCommand params = OptimizeKick(target, power, optimized);
    if (optimized) {
      traceLine(ZONE_KICK, LEVEL_ENTRY, "kickAtAngle(2): succesful Optimization ");
      return params;
    }
    traceLine(ZONE_KICK, LEVEL_ENTRY, "kickAtAngle(2): no Optimization possible");
  }
  return accelerateBallToVelocity(velDes);
}

SoccerCommand VekActions::kickToPoint(int mode, bool autoCorrect, Vector2D target, double power) {
  const WMState& wm = WM();
  const BallObject& ball = wm.getBall();
  const Vector2D posBall = ball.getAbsPos();
  // Modes 1 and 2 aim at the target as given, even off the field.
  const AngleDeg kickdir = direction(target - posBall) - wm.myBodyAngle();
  target[0] = heldWithin(target[0], PITCH_HALF_LENGTH);
  target[1] = heldWithin(target[1], PITCH_HALF_WIDTH);
  traceLine(ZONE_KICK, LEVEL_ENTRY,
            "SoccerCommand VekActions::kickToPoint(int, bool, vekmath::Vector<Value, 2>, double)",
            " (", mode, ", ", autoCorrect ? 1 : 0, ", ", target, ", ", power, ")");
  switch (mode) {
  case 1:
    traceLine(ZONE_KICK, LEVEL_ENTRY, "kickToPoint(1) : calling kickAtAngle");
    return kickAtAngle(1, autoCorrect, kickdir, power);
  case 2:
    return kickAtAngle(2, autoCorrect, kickdir, power);
  case 3:
    break;
  default:
    traceLine(ZONE_KICK, LEVEL_ENTRY, "kickToPoint: kick is not pssible !!!");
    return SoccerCommand(SoccerCommand::CMD_NONE);
  }

  const Vector2D velBall = ball.getAbsVel();
  const Vector2D posTraj = target - posBall;
  // The travel formula divides by the end speed; for a ball that shall stop
  // (or an end speed below 0) its closed form gives the same speed without.
  double startSpeed;
  if (power > 0.0) {
    startSpeed = ball.getKickSpeedToTravel(posTraj.length(), power);
  } else {
    const double endSpeed = power < 0.0 ? 0.0 : power;
    startSpeed = endSpeed + posTraj.length() * (1.0 / SP->bdecay - 1.0);
  }
  const Vector2D velDes = polar(startSpeed, direction(posTraj));
  const double kickPowerRate =
      ball.getActualKickPowerRate(wm.ballAngleFromBody(), ball.getDist(), MODEL_KICK_MARGIN);

  if (velDes.length() > SP->bspeed_max) {
    // Too far for the end speed: kick as hard as possible along the line
    // when that already makes a fast ball, else prepare the ball.
    const double speed = kickPowerRate * SP->maxp;
    AngleDeg angActual;
    if (kickAlong(velDes, velBall, speed, angActual)) {
      const double speedPred = (velBall + polar(speed, angActual)).length();
      if (speedPred > 0.85 * SP->baccel_max) {
        traceLine(ZONE_KICK, LEVEL_ENTRY, "kickToPoint(3): too far, but can accelerate ball good");
        return accelerateBallToVelocity(velDes);
      }
    }
    if (kickPowerRate > 0.85 * SP->kprate) {
      traceLine(ZONE_KICK, LEVEL_ENTRY, "kickToPoint(3): point too far stopping the ball");
      return freezeBall();
    }
    traceLine(ZONE_KICK, LEVEL_ENTRY, "kickToPoint(3): point too far reposition ball");
    return kickBallCloseToBody(AngleDeg(0.0), 0.6);
  }

  const Vector2D accBallDes = velDes - velBall;
  const double p = ball.getKickPowerForSpeed(accBallDes.length(), wm.myBodyAngle());
  if (p <= 1.05 * SP->maxp) {
    traceLine(ZONE_KICK, LEVEL_ENTRY, "KickToPoint: desired point is reachable");
    return accelerateBallToVelocity(velDes);
  }
  if (std::fabs(double(wm.ballAngleFromBody())) > 10.0) {
    traceLine(ZONE_KICK, LEVEL_ENTRY, "kickToPoint: good point, but reposition of ball needed");
    return kickBallCloseToBody(AngleDeg(0.0), 0.6);
  }
  return accelerateBallToVelocity(velDes);
}
