#include "tolvane/playerobject.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "tolvane/clientparam.h"
#include "tolvane/playerparam.h"
#include "tolvane/playertypeparam.h"
#include "tolvane/serverparam.h"
#include "tolvanebase/timer.h"
#include "tolvane/wmtrace.h"

PlayerObject::PlayerObject()
    : focusedPlayer(0), unum(0), side(::u), playerType(0), bodyAngle(0.0), neckAngle(0.0),
      pointDir(0.0), energy(4000.0, 1.0, 1.0), goalieP(u), tackleP(false),
      CP(ClientParam::instance()), PP(PlayerParam::instance()),
      PT(PlayertypeParam::instance(1)), SP(ServerParam::instance()) {}

PlayerObject::~PlayerObject() {}

PTypeIndex PlayerObject::typeIndex() const {
  return playerType >= 0 && playerType < PT->numTypes() ? playerType : 0;
}

Value PlayerObject::decay() const { return PT->playerDecay(typeIndex()); }

Value PlayerObject::getWeight() const { return SP->pweight; }

void PlayerObject::setBodyAngle(vekbase::AngleDeg body, Value conf) {
  bodyAngle = body;
  bodyAngleConf.set(conf);
}

void PlayerObject::setRelativeNeckAngle(vekbase::AngleDeg neck) {
  if (double(neck) > SP->maxn)
    neckAngle = vekbase::AngleDeg(SP->maxn);
  else if (double(neck) < SP->minn)
    neckAngle = vekbase::AngleDeg(SP->minn);
  else
    neckAngle = neck;
}

void PlayerObject::setRelativeNeckAngle(vekbase::AngleDeg neck, Value conf) {
  setRelativeNeckAngle(neck);
  neckAngleConf.set(conf);
}

void PlayerObject::setSeenHeadAngle(vekbase::AngleDeg head, Value conf) {
  neckAngle = head;
  neckAngleConf.set(conf);
}

void PlayerObject::setPointDir(vekbase::AngleDeg point, Value conf) {
  pointDir = point;
  pointDirConf.set(conf);
}

void PlayerObject::setStamina(Value stamina, Value conf) {
  energy.setStamina(stamina);
  staminaConf.set(conf);
}

void PlayerObject::setEffort(Value effort, Value conf) {
  energy.setEffort(effort);
  effortConf.set(conf);
}

void PlayerObject::setRecovery(Value recovery, Value conf) {
  energy.setRecovery(recovery);
  recoveryConf.set(conf);
}

void PlayerObject::setPlayerType(PTypeIndex pType) {
  // The type comes from the server's text; the physics reads the table with it.
  if (pType < 0 || pType >= PT->numTypes()) {
    vomar::prefixedLine(vomar::ForwarderStreamBuf::S_WARNING, 1120)
        << "player type " << pType << " not in the type table, using type 0" << "\n";
    pType = 0;
  }
  playerType = pType;
}

void PlayerObject::setPlayerType(PTypeIndex pType, Value conf) {
  setPlayerType(pType);
  pTypeConf.set(conf);
}

void PlayerObject::setFocus(Side s, Unum number) {
  focusedPlayer = s == side ? int(number) : int(number) + 11;
}

void PlayerObject::getFocus(Side& s, Unum& number) const {
  if (focusedPlayer <= 0) {
    s = ::u;
    number = 0;
  } else if (focusedPlayer <= 11) {
    s = side;
    number = Unum(focusedPlayer);
  } else {
    s = otherSide(side);
    number = Unum(focusedPlayer - 11);
  }
}

void PlayerObject::invalidate() {
  MobileObject::invalidate();
  bodyAngleConf.set(0.0);
  neckAngleConf.set(0.0);
  pointDirConf.set(0.0);
  setTackleP(false);
}

bool PlayerObject::pointVisible(Vector2D p, vekbase::ViewWidth cone) const {
  const Vector2D d = p - absPos;
  if (d.length() < 3.0) return true;
  const double a = vekmath::atan2(d[1], d[0], vekmath::DEG);
  const double h = double(getNeckAngle());
  // Plain difference, not folded into [-180, 180].
  return std::fabs(a - h) <= double(cone.value()) * 0.5;
}

namespace {

const unsigned int ZONE_PHYSICS = 1021;
const unsigned int ZONE_NEWTON = 1022;

// v in the frame of a body looking along b.
Vector2D toBodyFrame(const Vector2D& v, vekbase::AngleDeg b) {
  Vector2D polar = v.polar(vekmath::DEG);
  polar[1] += -double(b);
  return polar.cart(vekmath::DEG);
}

} // namespace

vekbase::AngleDeg PlayerObject::getAngleForTurn(vekbase::AngleDeg angDesiredAngle) const {
  const double moment =
      (absVel.length() * PT->inertiaMoment(typeIndex()) + 1.0) * double(angDesiredAngle);
  if (moment > SP->maxm) return vekbase::AngleDeg(SP->maxm);
  if (moment < SP->minm) return vekbase::AngleDeg(SP->minm);
  return vekbase::AngleDeg(moment);
}

vekbase::AngleDeg PlayerObject::getRealTurnAngle(vekbase::AngleDeg turnAngle) const {
  return vekbase::AngleDeg(double(turnAngle) /
                           (1.0 + PT->inertiaMoment(typeIndex()) * absVel.length()));
}

Value PlayerObject::getPowerForDash(Vector2D posRelTo, bool important) const {
  static const char* const sig =
      "Value PlayerObject::getPowerForDash(vekmath::Vector<Value, 2>, bool) const";
  vomar::Forwarder* log = vomar::Forwarder::instance(8192);
  log->incIndent();
  if (std::ostream* o = wmTrace(ZONE_PHYSICS, 10))
    *o << sig << ": (" << posRelTo << ", " << important << ")" << "\n";

  const vekbase::AngleDeg b = bodyAngle;
  const Value effort = energy.getEffort();
  const Vector2D target = toBodyFrame(posRelTo, b);
  Value x = target[0];
  if (std::ostream* o = wmTrace(ZONE_PHYSICS, 20))
    *o << "coordinates of target in body dir (" << double(b) << "): " << x << " " << target[1]
       << "\n";
  // Beyond one cycle's run the player is asked to reach full speed; behind it
  // the dash goes backwards.
  if (x > SP->pspeed_max) x = SP->pspeed_max;
  const Value vx = toBodyFrame(absVel, b)[0];
  const Value power = (x - vx) / (effort * SP->dprate);
  const Value result = adjustDashPower(power, important);

  if (std::ostream* o = wmTrace(ZONE_PHYSICS, 10)) *o << sig << "\n";
  log->decIndent();
  return result;
}

Value PlayerObject::adjustDashPower(Value power, bool important) const {
  static const char* const sig = "Value PlayerObject::adjustDashPower(double, bool) const";
  vomar::Forwarder* log = vomar::Forwarder::instance(8192);
  log->incIndent();
  if (std::ostream* o = wmTrace(ZONE_PHYSICS, 10))
    *o << sig << ": (" << power << ", " << important << ")" << "\n";

  if (!important) {
    // The last cycles of a half are worth the stamina: it is restored at the
    // break anyway.
    // Wide, so that a cycle near the end of int's range does not wrap.
    const long long t = vekbase::Timer::currentTime().serverTime();
    const long long left = (t / 3000 + 1) * 3000 - t;
    if (left <= 20) {
      important = true;
      if (std::ostream* o = wmTrace(ZONE_PHYSICS, 20))
        *o << "dash became important towards the end of half time" << "\n";
    }
  }

  // A power that is not a number (a target that is not one) stays one, so
  // that the caller sees it; the stamina rule below would make a number of it.
  if (std::isnan(power)) {
    if (std::ostream* o = wmTrace(ZONE_PHYSICS, 10)) *o << sig << "\n";
    log->decIndent();
    return power;
  }
  power = std::min(power, Value(SP->maxp));
  power = std::max(power, Value(SP->minp));
  // What the dash costs net of one cycle's recovery, against the margin
  // above the recovery threshold.
  const Value loss =
      (power > 0 ? power : -2.0 * power) - energy.getRecovery() * SP->stamina_inc_max;
  const Value diff = energy.getStamina() - SP->stamina_max * SP->recover_dthr;

  if (std::ostream* o = wmTrace(ZONE_PHYSICS, 30))
    *o << "diff " << diff << " loss " << loss << "Energy: " << energy << " recover_dthr "
       << SP->recover_dthr << "stamina_max " << SP->stamina_max << "\n";
  if (std::ostream* o = wmTrace(ZONE_PHYSICS, 10)) *o << sig << "\n";
  log->decIndent();

  if (important || loss < diff) return power;
  // Keep a small reserve above the threshold; a backward dash costs double.
  Value allowed = SP->stamina_inc_max * SP->recover_dthr + diff - 3.0;
  if (!(allowed > 0.0)) allowed = 0.0;
  return power > 0 ? allowed : -0.5 * allowed;
}

vekbase::Energy PlayerObject::predictedEnergy(Value dashPower, int cycles) const {
  vekbase::Energy e = energy;
  for (int i = 0; i < cycles; ++i) e.update(dashPower, typeIndex());
  return e;
}

Vector2D PlayerObject::predictedPosition(Value dashPower, int cycles) const {
  static const char* const sig = "Vector2D PlayerObject::predictedPosition(double, int) const";
  vomar::Forwarder* log = vomar::Forwarder::instance(8192);
  log->incIndent();
  if (std::ostream* o = wmTrace(ZONE_PHYSICS, 30))
    *o << sig << ": (" << dashPower << ", " << cycles << ")" << "\n";

  const PTypeIndex type = typeIndex();
  const Value vmax = PT->playerSpeedMax(type);
  const Value dpr = PT->dashPowerRate(type);
  const Value dec = PT->playerDecay(type);
  Value effort = effortConf.valid() ? energy.getEffort() : 1.0;
  Value stamina = energy.getStamina();
  Value recovery = energy.getRecovery();
  Vector2D vel = absVelConf.valid() ? absVel : Vector2D(0.0, 0.0);
  Vector2D pos = absPos;
  const vekbase::AngleDeg b = bodyAngle;

  for (int i = 0; i < cycles; ++i) {
    const Value acc = dashPower * dpr * effort;
    if (acc > 0)
      vel += Vector2D(acc, double(b)).cart(vekmath::DEG);
    else
      vel += Vector2D(-acc, double(b + vekbase::AngleDeg(180.0))).cart(vekmath::DEG);
    if (std::ostream* o = wmTrace(ZONE_PHYSICS, 50))
      *o << "velocity vector " << vel << " will be added to my pos " << pos << ", body angle: "
         << double(b) << "\n";
    if (vel.length() > vmax) vel.setLength(vmax);
    pos += vel;
    vel = vel * dec;

    stamina -= dashPower < 0 ? 2.0 * -dashPower : dashPower;
    // Fixed effort bounds and no floor for recovery, as a rough estimate.
    if (stamina < SP->stamina_max * SP->effort_dthr)
      effort = std::max(effort - SP->effort_dec, 0.6);
    if (stamina < SP->stamina_max * SP->recover_dthr) recovery -= SP->recover_dec;
    if (stamina > SP->stamina_max * SP->effort_ithr)
      effort = std::min(effort + SP->effort_inc, 1.0);
    stamina += recovery * SP->stamina_inc_max;
  }

  if (std::ostream* o = wmTrace(ZONE_PHYSICS, 30)) *o << sig << " result: " << pos << "\n";
  log->decIndent();
  return pos;
}

Vector2D PlayerObject::predictedVel(int cycles, int dashPower) const {
  const PTypeIndex type = typeIndex();
  const Value dpr = PT->dashPowerRate(type);
  const Value dec = PT->playerDecay(type);
  const Value effortMin = PT->effortMin(type);
  const Value effortMax = PT->effortMax(type);
  const Vector2D wind = SP->baseWind();
  Vector2D vel = absVel;
  Value effort = energy.getEffort();
  Value stamina = energy.getStamina();

  for (int i = 0; i < cycles; ++i) {
    // A negative length points the vector backwards.
    const Vector2D acc(effort * dpr * dashPower * vekmath::cos(bodyAngle),
                       effort * dpr * dashPower * vekmath::sin(bodyAngle));
    vel = dec * (vel + acc + wind);
    if (staminaConf.valid()) {
      stamina -= dashPower < 0 ? -2.0 * dashPower : double(dashPower);
      if (stamina <= SP->stamina_max * SP->effort_dthr) {
        if (effortMin < effort) effort -= SP->effort_dec;
        if (effort < effortMin) effort = effortMin;
      }
      if (stamina >= SP->stamina_max * SP->effort_ithr) {
        if (effortMax > effort) effort += SP->effort_inc;
        if (effort > effortMax) effort = effortMax;
      }
    }
  }
  return vel;
}

PlayerObject PlayerObject::predictedAfterCommand(const SoccerCommand& com) const {
  Vector2D pos = absPos;
  Vector2D vel = absVel;
  vekbase::AngleDeg body = bodyAngle;
  vekbase::AngleDeg neck = getNeckAngle();

  switch (com.command()) {
  case SoccerCommand::CMD_NONE:
  case SoccerCommand::CMD_CATCH:
  case SoccerCommand::CMD_KICK:
  case SoccerCommand::CMD_TACKLE:
    pos = predictedPosition(1);
    vel = predictedVel(1, 0);
    break;
  case SoccerCommand::CMD_DASH: {
    // Cut to a whole number; a value beyond int would make the cut undefined.
    const double v = com.getValue0();
    const int power = v >= double(INT_MAX) ? INT_MAX
                      : v <= double(INT_MIN) ? INT_MIN
                      : v == v               ? int(v)
                                             : 0;
    pos = predictedPosition(Value(power), 1);
    vel = predictedVel(1, power);
    break;
  }
  case SoccerCommand::CMD_MOVE:
    pos = Vector2D(com.getValue0(), com.getValue1());
    vel = Vector2D(0.0, 0.0);
    body = vekbase::AngleDeg(0.0);
    neck = vekbase::AngleDeg(0.0);
    break;
  case SoccerCommand::CMD_TURN: {
    const vekbase::AngleDeg r = getRealTurnAngle(com.getAngle());
    pos = predictedPosition(1);
    vel = predictedVel(1, 0);
    body = body + r;
    neck = neck + r;
    break;
  }
  case SoccerCommand::CMD_TURNNECK:
    pos = predictedPosition(1);
    vel = predictedVel(1, 0);
    neck = neck + com.getAngle();
    break;
  default:
    break;
  }

  PlayerObject next;
  next.setAbsPos(pos);
  next.setAbsVel(vel);
  next.setBodyAngle(body);
  next.setRelativeNeckAngle(neck - body);
  next.setStamina(energy.getStamina());
  return next;
}

int PlayerObject::predictNrCyclesToPoint(Vector2D posTo) const {
  const vekbase::AngleDeg b = bodyAngleConf.valid() ? bodyAngle : vekbase::AngleDeg(180.0);
  const Vector2D rel = posTo - absPos;
  const double d = rel.dir(vekmath::DEG);
  const double turn = std::fabs(double(vekbase::AngleDeg(double(b) - d)));
  int turnCycles = 0;
  if (turn > 100.0)
    turnCycles = 3;
  else if (turn > 20.0)
    turnCycles = 2;

  const PTypeIndex type = typeIndex();
  const Value dist = rel.length();
  if (dist < SP->bsize + PT->playerSize(type) + PT->kickableMargin(type)) return 0;
  // A distance that is not a number, or a top speed of 0, means the player
  // never gets there; converting such a quotient to int is undefined.
  const double run = dist / SP->pspeed_max;
  const int NEVER = 1000000;
  if (!(run < NEVER)) return turnCycles + NEVER;
  return turnCycles + int(run);
}

Vector2D PlayerObject::newtonMethod(const MobileObject& obj, Value& t) const {
  t = 0.0;
  const Value mu = obj.decay();
  const Value lo = -std::log(mu);
  const Value speed = energy.getEffort() * PT->playerSpeedMax(typeIndex());
  const Vector2D a = obj.getAbsPos() - absPos;
  const Vector2D b = obj.getAbsVel() / (1.0 - mu);
  const double whenToTurn = double(CP->whenToTurn());

  for (int i = 0;;) {
    vomar::prefixedLine(vomar::ForwarderStreamBuf::S_NORMAL, ZONE_NEWTON)
        << "NewtonMethod: iteration " << i << ": " << t << "\n";

    const Value m = std::pow(mu, t);
    const Vector2D p = a + (1.0 - m) * b;
    const Value dist = p.length();
    Value f = dist - speed * t;
    const double heading =
        std::fabs(double(vekbase::AngleDeg(p.dir(vekmath::DEG) - double(bodyAngle))));
    if (heading > whenToTurn) {
      // A turn first costs one cycle of running.
      f += speed;
      vomar::prefixedLine(vomar::ForwarderStreamBuf::S_NORMAL, ZONE_NEWTON)
          << "NewtonMethod: correct direction for player " << 2 << "\n";
    }
    if (std::fabs(f) < 0.0001) return absPos + p;
    // Standing on the meeting point: nothing left to improve, and the
    // derivative would divide by zero.
    if (dist == 0.0) return absPos + p;

    const Value df = (lo * m) * (b * p) / dist - speed;
    if (df >= 0.0)
      t = 999.0;
    else
      t = t - f / df;
    ++i;
    if (i > 9) {
      vomar::prefixedLine(vomar::ForwarderStreamBuf::S_WARNING, ZONE_NEWTON)
          << "Newton's method too slow" << "\n";
      return absPos + p;
    }
  }
}

const char* sideLabel(Side s) {
  switch (s) {
  case r:
    return "right ";
  case l:
    return "left ";
  case u:
    return "unknown ";
  default:
    return "ILLEGAL SIDE";
  }
}

Side otherSide(Side s) { return s == l ? r : s == r ? l : u; }

std::ostream& operator<<(std::ostream& os, const PlayerObject& p) {
  os << sideLabel(p.getTeam()) << p.getUnum() << " (type " << p.getPlayerType() << ")";
  if (p.getGoalieP() == PlayerObject::t)
    os << " is the goalie.";
  else if (p.getGoalieP() == PlayerObject::f)
    os << " is a fielder.";
  os << std::endl;
  os << "pos  = " << p.getAbsPos() << std::endl;
  os << "Vel  = " << p.getAbsVel() << std::endl;
  os << "neck = " << double(p.getRelativeNeckAngle()) << std::endl;
  os << "body = " << double(p.getBodyAngle()) << std::endl;
  os << "pointing to " << double(p.getPointDir()) << std::endl;
  os << "(s,e,r) = (" << p.getStamina() << ", " << p.getEffort() << ", " << p.getRecovery()
     << ")" << std::endl;
  return os;
}
