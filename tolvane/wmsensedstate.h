#ifndef TOLVANE_WMSENSEDSTATE_H
#define TOLVANE_WMSENSEDSTATE_H

#include <string>

#include "tolvane/wmstate.h"

// What the server told the agent in the current cycle, before anything is
// merged or predicted. Every reported value is stored with confidence 1.0.
// The player lists hold the sight in the order it names them; entry 0 of own
// is the agent itself.
class WMSensedState : public WMState {
public:
  WMSensedState();
  ~WMSensedState() override;

  PlayerList::iterator getMe() override;
  PlayerList::const_iterator getMe() const override;

  // The sight.
  void seeLine(LineObject::LineId id0, vekbase::AngleDeg angle);
  void seeLine(LineObject::LineId line, Value dist, vekbase::AngleDeg angle);
  void seeLine(LineObject::LineId line, Value dist, vekbase::AngleDeg angle, Value distchange,
               vekbase::AngleDeg anglechange);
  void seeFlag(FlagObject::FlagId id0, vekbase::AngleDeg angle);
  void seeFlag(FlagObject::FlagId flag, Value dist, vekbase::AngleDeg angle);
  void seeFlag(FlagObject::FlagId flag, Value dist, vekbase::AngleDeg angle, Value distchange,
               vekbase::AngleDeg anglechange);
  void seeBall(vekbase::AngleDeg angle);
  void seeBall(Value dist, vekbase::AngleDeg angle);
  void seeBall(Value dist, vekbase::AngleDeg angle, Value distchange,
               vekbase::AngleDeg anglechange);
  void seePlayer(vekbase::AngleDeg angle);
  void seePlayer(Side side, vekbase::AngleDeg angle);
  void seePlayer(Side side, Unum number, vekbase::AngleDeg angle);
  void seePlayer(Value dist, vekbase::AngleDeg angle);
  void seePlayer(Side side, Value dist, vekbase::AngleDeg angle, bool isTackling);
  void seePlayer(Side side, Value dist, vekbase::AngleDeg angle, vekbase::AngleDeg pointDir,
                 bool isTackling);
  void seePlayer(Side side, Unum number, Value dist, vekbase::AngleDeg angle, Value distchange,
                 vekbase::AngleDeg anglechange, vekbase::AngleDeg bodyDir,
                 vekbase::AngleDeg neckDir, PlayerObject::TriValLogic isGoalie, bool isTackling);
  void seePlayer(Side side, Unum number, Value dist, vekbase::AngleDeg angle, Value distchange,
                 vekbase::AngleDeg anglechange, vekbase::AngleDeg bodyDir,
                 vekbase::AngleDeg neckDir, vekbase::AngleDeg pointDir,
                 PlayerObject::TriValLogic isGoalie, bool isTackling);
  void setCurrentSight() { sightInCurrentCycle = true; }

  // Body values.
  void setStamina(Value stam);
  void setEffort(Value eff);
  void setMyRelativeNeckAngle(vekbase::AngleDeg angle);
  void setMySpeed(Value speed, vekbase::AngleDeg dir);
  using WMState::setViewMode;
  using WMState::setArm;
  void setTackle(int ban) { tackleBan = ban; }
  // Empties the snapshot for the next cycle; the agent's entry, the scalar
  // values and the arm stay.
  void clearData();

  // Referee values.
  void setScores(int mine, int theirs);
  void setPlayMode(const std::string& pm) { playMode.set(pm); }
  void setPenaltyKickSide(Side pks) { penaltyKickSide = pks; }

  void setSide(const Side& ourSide);
  void setMyNumber(Unum unum) { myUnum = unum; }
  // From the server's init or reconnect reply.
  void initWM(Unum n, Side s);

  // Moves the nearest seen flag to the front of the seen flags.
  void putNearestFlagToFront();

private:
  FlagObject* addFlag(FlagObject::FlagId flag, bool checkId);
  PlayerObject& addUnknown(Side side, vekbase::AngleDeg angle);
  void addPlayer(const PlayerObject& p);
};

#endif
