#include "tolvane/wmfullstate.h"

#include "tolvane/serverparam.h"
#include "vomarlog/forwarder.h"

namespace {

void warn(const char* what, Unum n) {
  vomar::prefixedLine(vomar::ForwarderStreamBuf::S_WARNING, 1120)
      << what << n << " out of range" << "\n";
}

} // namespace

WMFullstate::WMFullstate() {
  own.assign(ServerParam::max_players + 1, PlayerObject());
  others.assign(ServerParam::max_players + 1, PlayerObject());
}

WMFullstate::~WMFullstate() {}

void WMFullstate::init(Unum n, Side s) {
  if (!isShirtNumber(n)) {
    warn("fullstate init: shirt number ", n);
    n = 0;
  }
  myUnum = n;
  mySide = s;
}

void WMFullstate::setBall(Vector2D& position, Vector2D& velocity) {
  ball.setAbsPos(position, 1.0);
  ball.setAbsVel(velocity, 1.0);
}

void WMFullstate::setPlayer(Side side, Unum number, int pType, Vector2D& pos, Vector2D& vel,
                            vekbase::AngleDeg bodyDir, vekbase::AngleDeg neckDir, Value stam,
                            Value eff, Value rec, PlayerObject::TriValLogic isGoalie) {
  if (!isShirtNumber(number)) {
    warn("fullstate player dropped: shirt number ", number);
    return;
  }
  PlayerObject p;
  p.setTeam(side);
  p.setUnum(number);
  p.setPlayerType(pType, 1.0);
  p.setAbsPos(pos, 1.0);
  p.setAbsVel(vel, 1.0);
  p.setBodyAngle(bodyDir, 1.0);
  p.setRelativeNeckAngle(neckDir, 1.0);
  p.setStamina(stam, 1.0);
  p.setEffort(eff, 1.0);
  p.setRecovery(rec, 1.0);
  p.setGoalieP(isGoalie);
  if (side == mySide)
    own[number] = p;
  else
    others[number] = p;
}

void WMFullstate::setRessources(Value stamina, Value effort, Value recovery) {
  PlayerList::iterator me = getMe();
  if (me == own.end()) return;
  me->setStamina(stamina, 1.0);
  me->setEffort(effort, 1.0);
  me->setRecovery(recovery, 1.0);
}

void WMFullstate::setScore(int my, int their) {
  myScore = my;
  theirScore = their;
}
