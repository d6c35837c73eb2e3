#ifndef TOLVANE_ARMOBJECT_H
#define TOLVANE_ARMOBJECT_H

#include <ostream>

#include "tolvane/gameobject.h"
#include "tolvanebase/vector.h"

// The agent's pointing arm as sense_body tells it.
class ArmObject {
public:
  ArmObject();

  void setTarget(double dist, vekbase::AngleDeg dir);
  Value getTargetDist() { return targetDist; }
  vekbase::AngleDeg getTargetDir() { return targetDir; }

  // Cycles for which the current pointing still lasts.
  void setPointDuration(int duration) { pointDuration = duration; }
  int getPointDuration() { return pointDuration; }

  // Cycles until the arm can be moved again.
  void setImmobileDuration(int duration) { immobileDuration = duration; }
  int getImmobileDuration() { return immobileDuration; }

  void setTargetPoint(Vector2D target) { targetPoint = target; }
  Vector2D getTargetPoint() { return targetPoint; }

  bool pointing() const { return pointDuration > 0; }

  friend std::ostream& operator<<(std::ostream& os, const ArmObject& a);

private:
  Value targetDist;
  vekbase::AngleDeg targetDir;
  int pointDuration;
  int immobileDuration;
  Vector2D targetPoint;
};

std::ostream& operator<<(std::ostream& os, const ArmObject& a);

#endif
