#ifndef TOLVANE_BALLOBJECT_H
#define TOLVANE_BALLOBJECT_H

#include <ostream>

#include "tolvane/mobileobject.h"

class ServerParam;
class SoccerCommand;

// The ball, with the soccer server's ball physics. Every prediction that needs
// the velocity falls back to the current position while it is not trusted;
// free rolling, the physics step and forgetting are those of every mobile
// object.
class BallObject : public MobileObject {
public:
  BallObject();
  ~BallObject() override;

  // Position after the given cycles when the agent sends sc now; distance
  // and angle_pb locate the ball relative to the agent's body, dir_p is the
  // agent's body direction.
  Vector2D predictedPos(int cycles, const SoccerCommand& sc, double distance,
                        vekbase::AngleDeg angle_pb, vekbase::AngleDeg dir_p) const;
  Vector2D predictedVel(int cycles) const;

  // The share of a kick's power that reaches a ball at dist_bp in direction
  // rel_Ang_bp from the kicker's body; not limited.
  Value getActualKickPowerRate(vekbase::AngleDeg rel_Ang_bp, double dist_bp,
                               double kickMargin) const;
  // The kick power that accelerates the ball by speed; not limited.
  Value getKickPowerForSpeed(double speed, vekbase::AngleDeg rel_Ang_bp, double dist_bp) const;
  // The same for the ball as the model holds it: its own seen direction less
  // playerAngle, and its own distance.
  Value getKickPowerForSpeed(double speed, vekbase::AngleDeg playerAngle) const {
    return getKickPowerForSpeed(speed, dir - playerAngle, dist);
  }
  // The start speed with which the ball covers distance and ends at speed.
  Value getKickSpeedToTravel(double distance, double speed) const;

  Value decay() const override;
  Value getWeight() const override;

protected:
  ServerParam* SP;
};

std::ostream& operator<<(std::ostream& os, const BallObject& b);

#endif
