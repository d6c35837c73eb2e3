#ifndef TOLVANE_UPDATEABLEWMSTATE_H
#define TOLVANE_UPDATEABLEWMSTATE_H

#include <array>
#include <vector>

#include "tolvane/posest.h"
#include "tolvane/wmstate.h"

class WMSensedState;

// The persistent world model. Once per cycle update() advances it by the
// commands that were sent (at sense_body), and includeSensed() merges the
// cycle's sensor snapshot into it: body values, heard messages and, when a
// see message came, the sight with self-localisation.
class UpdateableWMState : public WMState {
public:
  UpdateableWMState();
  ~UpdateableWMState() override;

  // Merges one cycle's snapshot; at most once per cycle.
  void includeSensed(WMSensedState& sensedWM);
  // Takes over the body sense of the snapshot.
  void includeSenseBody(WMSensedState& sensedWM);
  // Dead reckoning: replays the commands sent since the last call on the
  // agent and the ball and moves everything else one physics step.
  void update();
  // Merges the snapshot's sight (self-localisation, ball, players). Does
  // nothing unless the snapshot holds a sight that has not been merged since
  // the last update(); the flags of the snapshot are reordered.
  void includeSeen(WMSensedState& sensedWM);

protected:
  void includeBallInfo(const BallObject& sensedBall);
  // Absolute velocity of an object at pos, seen at dist with the changes
  // ddist and ddir.
  Vector2D calculateVelocity(Vector2D pos, double dist, double ddist, vekbase::AngleDeg ddir);

  // Self-localisation from the snapshot's flags and lines.
  void localizeAndSetPos(WMSensedState& SWM);
  // Neck direction from one seen line, position from the nearest flag.
  bool lineFlagLocalization(const std::vector<LineObject>& seenL,
                            const std::vector<FlagObject>& seenF, Vector2D& newPos,
                            vekbase::AngleDeg& angle);
  // Least-squares position and neck direction from the bearings of three or
  // more flags (posest.cpp); false leaves p and theta untouched.
  static bool pos_est(const std::vector<FlagObject>& sf, Vector2D& p, vekbase::AngleDeg& theta);
  static void ratio_calc(const ComplexArray& b, const RealArray& s, RealArray& r);
  static RealArray lemma(const RealArray& a, const RealArray& b, const RealArray& c,
                         const RealArray& d);
  static double innerProduct(ComplexVal x, ComplexVal y);
  static double scalar(const RealArray& a, const RealArray& b);

private:
  // Per command kind, how many the Actuator has sent so far, lost ones
  // included; a command is replayed only when its count has grown since the
  // previous update.
  typedef std::array<int, 16> SentCounts;
  static SentCounts sentSoFar();

  SentCounts replayed;
  // The snapshot's current sight has been merged; cleared by update(), since
  // every sense_body empties the snapshot.
  bool sightMerged;
};

#endif
