#ifndef TOLVANE_WMFULLSTATE_H
#define TOLVANE_WMFULLSTATE_H

#include <string>

#include "tolvane/wmstate.h"

// The complete state from the server's fullstate message: own and others
// hold 12 entries indexed by shirt number, entry 0 holding no player.
class WMFullstate : public WMState {
public:
  WMFullstate();
  ~WMFullstate() override;

  void init(Unum n, Side s);
  void setBall(Vector2D& position, Vector2D& velocity);
  void setPlayMode(const std::string& pm) { playMode.set(pm); }
  // Replaces the entry of that shirt number in the team of that side; a
  // number no shirt carries is dropped.
  void setPlayer(Side side, Unum number, int pType, Vector2D& pos, Vector2D& vel,
                 vekbase::AngleDeg bodyDir, vekbase::AngleDeg neckDir, Value stam, Value eff,
                 Value rec, PlayerObject::TriValLogic isGoalie);
  void setRessources(Value stamina, Value effort, Value recovery);
  void setScore(int my, int their);
  using WMState::setViewMode;
  using WMState::setArm;
};

#endif
