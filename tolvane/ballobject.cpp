#include "tolvane/ballobject.h"

#include <cmath>

#include "tolvane/serverparam.h"
#include "tolvane/soccercommand.h"
#include "vomarlog/forwarder.h"

namespace {

// p moved by d along the direction of v (no move for a zero v).
Vector2D advance(const Vector2D& p, const Vector2D& v, double d) {
  const double theta = v.angle(Vector2D(1.0, 0.0), vekmath::DEG);
  return p + Vector2D(d, theta).cart(vekmath::DEG);
}

void trace(unsigned short level, const char* text) {
  vomar::Forwarder* log = vomar::Forwarder::instance(8192);
  if (log->indentation(level) >= 0) {
    log->getStreamBuf().priority(vomar::ForwarderStreamBuf::S_TRACER);
    log->zone(1020);
    log->indent(level) << text << "\n";
  }
}

void trace(unsigned short level, const char* text, double value) {
  vomar::Forwarder* log = vomar::Forwarder::instance(8192);
  if (log->indentation(level) >= 0) {
    log->getStreamBuf().priority(vomar::ForwarderStreamBuf::S_TRACER);
    log->zone(1020);
    log->indent(level) << text << value << "\n";
  }
}

} // namespace

BallObject::BallObject() : SP(ServerParam::instance()) {}

BallObject::~BallObject() {}

Value BallObject::decay() const { return SP->bdecay; }

Value BallObject::getWeight() const { return SP->bweight; }

Vector2D BallObject::predictedPosition(int cycles) const {
  if (!absVelConf.valid()) return absPos;
  const double d = vekmath::sumGeomSeries(absVel.length(), SP->bdecay, cycles);
  return advance(absPos, absVel, d);
}

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
  return advance(absPos, vel, d);
}

Vector2D BallObject::predictedVel(int cycles) const {
  return absVel * std::pow(SP->bdecay, cycles);
}

Value BallObject::getActualKickPowerRate(vekbase::AngleDeg rel_Ang_bp, double dist_bp,
                                         double kickMargin) const {
  static const char* sig =
      "Value BallObject::getActualKickPowerRate(vekbase::AngleDeg, double, double) const";
  vomar::Forwarder* log = vomar::Forwarder::instance(8192);
  log->incIndent();
  trace(20, sig);
  const double dist = dist_bp - SP->psize - SP->bsize;
  const double a = std::fabs(double(rel_Ang_bp));
  const double kpr = SP->kprate * (1.0 - 0.25 * a / 180.0 - 0.25 * dist / kickMargin);
  trace(30, "GetActualKickPowerRate: calculated kickpower rate = ", kpr);
  trace(20, sig);
  log->decIndent();
  return kpr;
}

Value BallObject::getKickPowerForSpeed(double speed, vekbase::AngleDeg rel_Ang_bp,
                                       double dist_bp) const {
  static const char* sig =
      "Value BallObject::getKickPowerForSpeed(double, vekbase::AngleDeg, double) const";
  vomar::Forwarder* log = vomar::Forwarder::instance(8192);
  log->incIndent();
  trace(20, sig);
  const double kp = speed / getActualKickPowerRate(rel_Ang_bp, dist_bp, 0.7);
  trace(30, "getKickPowerForSpeed: kp = ", kp);
  trace(20, sig);
  log->decIndent();
  return kp;
}

Value BallObject::getKickSpeedToTravel(double distance, double speed) const {
  const double q = SP->bdecay;
  const double n = std::log((1.0 / q - 1.0) * distance / speed + 1.0) / std::log(1.0 / q);
  return speed / std::pow(q, n);
}

void BallObject::invalidate() {
  absPosConf.set(0.0);
  absVelConf.set(0.0);
  dirConf.set(0.0);
  distConf.set(0.0);
  ddistDDirConf.set(0.0);
}

void BallObject::update(Vector2D acc) {
  if (absVelConf.valid()) {
    Vector2D v = absVel + acc;
    v = v + windEffect(v);
    const Vector2D p = absPos + v;
    v = v * SP->bdecay;
    setAbsPos(p);
    setAbsVel(v);
  }
  absPosConf.decay();
  absVelConf.decay();
  distConf.decay();
  dirConf.decay();
  ddistDDirConf.decay();
}

std::ostream& operator<<(std::ostream& os, const BallObject& b) {
  return os << "Pos = " << b.getAbsPos() << " / Vel = " << b.getAbsVel() << " / Rel = ("
            << b.getDist() << ", " << double(b.getDir()) << ")";
}
