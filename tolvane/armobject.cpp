#include "tolvane/armobject.h"

ArmObject::ArmObject()
    : targetDist(0.0), targetDir(0.0), pointDuration(0), immobileDuration(0),
      targetPoint(0.0, 0.0) {}

void ArmObject::setTarget(double dist, vekbase::AngleDeg dir) {
  targetDist = dist;
  targetDir = dir;
}

std::ostream& operator<<(std::ostream& os, const ArmObject& a) {
  if (a.pointing()) {
    os << "pointing to (" << a.targetDist << ", " << double(a.targetDir) << ") for "
       << a.pointDuration << " more cycles." << std::endl;
    os << "arm immobile for " << a.immobileDuration << " cycles." << std::endl;
  } else {
    os << "not pointing anywhere" << std::endl;
  }
  return os;
}
