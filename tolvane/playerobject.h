#ifndef TOLVANE_PLAYEROBJECT_H
#define TOLVANE_PLAYEROBJECT_H

#include <ostream>

#include "tolvane/mobileobject.h"
#include "tolvane/soccercommand.h"
#include "tolvanebase/energy.h"
#include "tolvanebase/viewmode.h"

class ClientParam;
class PlayerParam;
class PlayertypeParam;
class ServerParam;

// Index of a heterogeneous player type in the player-type table.
typedef int PTypeIndex;

// What the world model knows about one player: the agent itself, a
// teammate, an opponent or a player of unknown team.
class PlayerObject : public MobileObject {
public:
  enum TriValLogic { f = 0, t = 1, u = 2 };

  PlayerObject();
  ~PlayerObject() override;

  Value decay() const override;
  Value getWeight() const override;

  void setBodyAngle(vekbase::AngleDeg body) { bodyAngle = body; }
  void setBodyAngle(vekbase::AngleDeg body, Value conf);
  // Clamped into the server's neck range.
  void setRelativeNeckAngle(vekbase::AngleDeg neck);
  void setRelativeNeckAngle(vekbase::AngleDeg neck, Value conf);
  // A seen head direction, relative to the observer's view: any direction,
  // so not clamped to the neck's range; the merge turns it into a neck angle.
  void setSeenHeadAngle(vekbase::AngleDeg head, Value conf);
  void setPointDir(vekbase::AngleDeg point) { pointDir = point; }
  void setPointDir(vekbase::AngleDeg point, Value conf);
  void setStamina(Value stamina) { energy.setStamina(stamina); }
  void setStamina(Value stamina, Value conf);
  void setEffort(Value effort) { energy.setEffort(effort); }
  void setEffort(Value effort, Value conf);
  void setRecovery(Value recovery) { energy.setRecovery(recovery); }
  void setRecovery(Value recovery, Value conf);
  // A type the player-type table does not hold falls back to type 0.
  void setPlayerType(PTypeIndex pType);
  void setPlayerType(PTypeIndex pType, Value conf);
  void setUnum(Unum number) { unum = number; }
  void setTeam(Side team) { side = team; }
  void setTackleP(bool istackling) { tackleP = istackling; }
  void setGoalieP(TriValLogic isgoalie) { goalieP = isgoalie; }

  // Attention focus: 1 to 11 a player of this player's side, 12 to 22 one of
  // the other side.
  void setFocus(Side s, Unum number);
  void getFocus(Side& s, Unum& number) const;
  void unsetFocus() { focusedPlayer = 0; }

  vekbase::AngleDeg getBodyAngle() const { return bodyAngle; }
  vekbase::AngleDeg getRelativeNeckAngle() const { return neckAngle; }
  // The absolute head direction.
  vekbase::AngleDeg getNeckAngle() const { return bodyAngle + neckAngle; }
  vekbase::AngleDeg getPointDir() const { return pointDir; }
  Value getStamina() const { return energy.getStamina(); }
  Value getEffort() const { return energy.getEffort(); }
  Value getRecovery() const { return energy.getRecovery(); }
  vekbase::Energy getEnergy() const { return energy; }
  PTypeIndex getPlayerType() const { return playerType; }
  Unum getUnum() const { return unum; }
  Side getTeam() const { return side; }
  TriValLogic getGoalieP() const { return goalieP; }
  bool isTackling() const { return tackleP; }
  bool isGoalie() const { return goalieP == t; }
  bool isUnknown() const { return goalieP == u; }

  const vekbase::Confidence& getBodyAngleConf() const { return bodyAngleConf; }
  vekbase::Confidence& getBodyAngleConf() { return bodyAngleConf; }
  const vekbase::Confidence& getNeckAngleConf() const { return neckAngleConf; }
  vekbase::Confidence& getNeckAngleConf() { return neckAngleConf; }
  const vekbase::Confidence& getPointDirConf() const { return pointDirConf; }
  vekbase::Confidence& getPointDirConf() { return pointDirConf; }
  const vekbase::Confidence& getPTypeConf() const { return pTypeConf; }
  vekbase::Confidence& getPTypeConf() { return pTypeConf; }
  const vekbase::Confidence& getStaminaConf() const { return staminaConf; }
  vekbase::Confidence& getStaminaConf() { return staminaConf; }
  const vekbase::Confidence& getEffortConf() const { return effortConf; }
  vekbase::Confidence& getEffortConf() { return effortConf; }
  const vekbase::Confidence& getRecoveryConf() const { return recoveryConf; }
  vekbase::Confidence& getRecoveryConf() { return recoveryConf; }

  // Forgets position, motion and angles; keeps identity and energy.
  void invalidate();
  // Whether this player should see an object at p with the view width cone.
  bool pointVisible(Vector2D p, vekbase::ViewWidth cone) const;

  // Turn and dash physics as the server applies them to this player.
  // The moment to send so that the body turns by angDesiredAngle, bounded by
  // the server's moment limits.
  vekbase::AngleDeg getAngleForTurn(vekbase::AngleDeg angDesiredAngle) const;
  // The body rotation a turn command with moment turnAngle gives now.
  vekbase::AngleDeg getRealTurnAngle(vekbase::AngleDeg turnAngle) const;
  // The dash power that moves the player towards posRelTo (target minus own
  // position) in one cycle, after the stamina protection.
  Value getPowerForDash(Vector2D posRelTo, bool important) const;
  // power bounded to the server's limits and lowered so that stamina stays
  // above the recovery threshold, unless the dash is important or the half
  // is ending.
  Value adjustDashPower(Value power, bool important) const;
  // The energy after the given cycles of dashing with dashPower.
  vekbase::Energy predictedEnergy(Value dashPower, int cycles) const;

  // Motion prediction. Position after the given cycles of drifting.
  using MobileObject::predictedPosition;
  // Position after the given cycles of dashing with dashPower.
  Vector2D predictedPosition(Value dashPower, int cycles) const;
  // Velocity after the given cycles of dashing with dashPower.
  Vector2D predictedVel(int cycles, int dashPower) const;
  // The player one cycle after the body command com (position, velocity,
  // angles and stamina; the result is of player type 0).
  PlayerObject predictedAfterCommand(const SoccerCommand& com) const;
  // A rough count of the cycles needed to reach posTo, turning included.
  int predictNrCyclesToPoint(Vector2D posTo) const;
  // Where this player, running straight at full speed, meets obj; t receives
  // the time in cycles.
  Vector2D newtonMethod(const MobileObject& obj, Value& t) const;

protected:
  // playerType, or 0 when the type table no longer holds it.
  PTypeIndex typeIndex() const;

  int focusedPlayer;
  Unum unum;
  Side side;
  PTypeIndex playerType;
  vekbase::Confidence pTypeConf;
  vekbase::AngleDeg bodyAngle;
  vekbase::AngleDeg neckAngle;
  vekbase::AngleDeg pointDir;
  vekbase::Confidence bodyAngleConf;
  vekbase::Confidence neckAngleConf;
  vekbase::Confidence pointDirConf;
  vekbase::Energy energy;
  vekbase::Confidence staminaConf;
  vekbase::Confidence effortConf;
  vekbase::Confidence recoveryConf;
  TriValLogic goalieP;
  bool tackleP;
  ClientParam* CP;
  PlayerParam* PP;
  PlayertypeParam* PT;
  ServerParam* SP;
};

std::ostream& operator<<(std::ostream& os, const PlayerObject& p);

// The dumps' word for a side: "left ", "right ", "unknown ", or "ILLEGAL SIDE"
// for a value that is none of these.
const char* sideLabel(Side s);
// The opposing side of l or r; u for u.
Side otherSide(Side s);

#endif
