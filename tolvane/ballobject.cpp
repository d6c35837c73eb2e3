#include "tolvane/ballobject.h"

#include <cmath>

#include "tolvane/serverparam.h"
#include "tolvane/soccercommand.h"
#include "tolvane/wmtrace.h"

namespace {

const unsigned int ZONE_BALL = 1020;

// One kick computation with its trace, one indent step deeper: the signature
// line, the result behind its label, and the signature line again.
template <class Compute>
double tracedKick(const char* sig, const char* label, Compute compute) {
  vomar::Forwarder* log = vomar::Forwarder::instance(8192);
  log->incIndent();
  if (std::ostream* o = wmTrace(ZONE_BALL, 20)) *o << sig << "\n";
  const double result = compute();
  if (std::ostream* o = wmTrace(ZONE_BALL, 30)) *o << label << result << "\n";
  if (std::ostream* o = wmTrace(ZONE_BALL, 20)) *o << sig << "\n";
  log->decIndent();
  return result;
}

} // namespace

BallObject::BallObject() : SP(ServerParam::instance()) {}

BallObject::~BallObject() {}

Value BallObject::decay() const { return SP->bdecay; }

Value BallObject::getWeight() const { return SP->bweight; }

Vector2D BallObject::predictedPos(int cycles, const SoccerCommand& sc, double distance,
                                  vekbase::AngleDeg angle_pb, vekbase::AngleDeg dir_p) const {
  if (!absVelConf.valid() || sc.command() != SoccerCommand::CMD_KICK) return absPos;
  const double kickPower = sc.getValue0();
  const vekbase::AngleDeg kickDir = dir_p + sc.getAngle();
  const double kpr = getActualKickPowerRate(angle_pb, distance, 0.7);
  Vector2D acc = Vector2D(kickPower * kpr, double(kickDir)).cart(vekmath::DEG);
  if (acc.length() > SP->baccel_max) acc.setLength(SP->baccel_max);
  Vector2D vel = absVel + acc;
  if (vel.length() > SP->bspeed_max) vel.setLength(SP->bspeed_max);
  const double d = vekmath::sumGeomSeries(vel.length(), SP->bdecay, cycles);
  return absPos + Vector2D(d, vel.dir(vekmath::DEG)).cart(vekmath::DEG);
}

Vector2D BallObject::predictedVel(int cycles) const {
  return absVel * std::pow(SP->bdecay, cycles);
}

Value BallObject::getActualKickPowerRate(vekbase::AngleDeg rel_Ang_bp, double dist_bp,
                                         double kickMargin) const {
  return tracedKick(
      "Value BallObject::getActualKickPowerRate(vekbase::AngleDeg, double, double) const",
      "GetActualKickPowerRate: calculated kickpower rate = ", [&] {
        const double dist = dist_bp - SP->psize - SP->bsize;
        const double a = std::fabs(double(rel_Ang_bp));
        return SP->kprate * (1.0 - 0.25 * a / 180.0 - 0.25 * dist / kickMargin);
      });
}

Value BallObject::getKickPowerForSpeed(double speed, vekbase::AngleDeg rel_Ang_bp,
                                       double dist_bp) const {
  return tracedKick(
      "Value BallObject::getKickPowerForSpeed(double, vekbase::AngleDeg, double) const",
      "getKickPowerForSpeed: kp = ",
      [&] { return speed / getActualKickPowerRate(rel_Ang_bp, dist_bp, 0.7); });
}

Value BallObject::getKickSpeedToTravel(double distance, double speed) const {
  const double q = SP->bdecay;
  const double n = std::log((1.0 / q - 1.0) * distance / speed + 1.0) / std::log(1.0 / q);
  return speed / std::pow(q, n);
}

std::ostream& operator<<(std::ostream& os, const BallObject& b) {
  return os << "Pos = " << b.getAbsPos() << " / Vel = " << b.getAbsVel() << " / Rel = ("
            << b.getDist() << ", " << double(b.getDir()) << ")";
}
