#include "tolvane/mobileobject.h"

#include "tolvane/serverparam.h"

MobileObject::MobileObject() : SP(ServerParam::instance()), absVel(0.0, 0.0) {}

MobileObject::~MobileObject() {}

void MobileObject::setAbsVel(const Vector2D& vel, Value conf) {
  absVel = vel;
  absVelConf.set(conf);
}

Vector2D MobileObject::windEffect(Vector2D vel) const {
  // No random term: the agent cannot know the server's draw.
  return SP->baseWind() * (vel.length() / (getWeight() * 10000.0));
}

std::ostream& operator<<(std::ostream& os, const MobileObject& o) {
  return os << o.getAbsPos() << " +" << o.getAbsVel();
}
