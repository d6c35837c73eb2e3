#include "tolvane/playerobject.h"

#include <cmath>

#include "tolvane/clientparam.h"
#include "tolvane/playerparam.h"
#include "tolvane/playertypeparam.h"
#include "tolvane/serverparam.h"
#include "vomarlog/forwarder.h"

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
    vomar::Forwarder* log = vomar::Forwarder::instance(8192);
    log->getStreamBuf().priority(vomar::ForwarderStreamBuf::S_WARNING);
    log->zone(1120);
    log->prefix() << "player type " << pType << " not in the type table, using type 0"
                  << "\n";
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
    s = side == ::l ? ::r : side == ::r ? ::l : ::u;
    number = Unum(focusedPlayer - 11);
  }
}

void PlayerObject::update(Vector2D acc) {
  if (absVelConf.valid()) {
    Vector2D v = absVel + acc;
    v = v + windEffect(v);
    setAbsPos(absPos + v);
    setAbsVel(v * decay());
  }
  absVelConf.decay();
  absPosConf.decay();
  distConf.decay();
  dirConf.decay();
  ddistDDirConf.decay();
}

void PlayerObject::invalidate() {
  absPosConf.set(0.0);
  absVelConf.set(0.0);
  dirConf.set(0.0);
  distConf.set(0.0);
  ddistDDirConf.set(0.0);
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

std::ostream& operator<<(std::ostream& os, const PlayerObject& p) {
  switch (p.getTeam()) {
  case ::r:
    os << "right ";
    break;
  case ::l:
    os << "left ";
    break;
  case ::u:
    os << "unknown ";
    break;
  default:
    os << "ILLEGAL SIDE";
    break;
  }
  os << p.getUnum() << " (type " << p.getPlayerType() << ")";
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
