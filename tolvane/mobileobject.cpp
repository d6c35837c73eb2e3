#include "tolvane/mobileobject.h"

#include "tolvane/serverparam.h"
#include "tolvanebase/vekmath.h"

MobileObject::MobileObject() : SP(ServerParam::instance()), absVel(0.0, 0.0) {}

MobileObject::~MobileObject() {}

void MobileObject::setAbsVel(const Vector2D& vel, Value conf) {
  absVel = vel;
  absVelConf.set(conf);
}

Vector2D MobileObject::predictedPosition(int cycles) const {
  if (!absVelConf.valid()) return absPos;
  const double travelled = vekmath::sumGeomSeries(absVel.length(), decay(), cycles);
  return absPos + Vector2D(travelled, absVel.dir(vekmath::DEG)).cart(vekmath::DEG);
}

Vector2D MobileObject::windEffect(Vector2D vel) const {
  // No random term: the agent cannot know the server's draw.
  return SP->baseWind() * (vel.length() / (getWeight() * 10000.0));
}

void MobileObject::update(Vector2D acc) {
  if (absVelConf.valid()) {
    Vector2D v = absVel + acc;
    v = v + windEffect(v);
    absPos = absPos + v;
    absVel = v * decay();
  }
  absVelConf.decay();
  absPosConf.decay();
  distConf.decay();
  dirConf.decay();
  ddistDDirConf.decay();
}

void MobileObject::invalidate() {
  absPosConf.set(0.0);
  absVelConf.set(0.0);
  dirConf.set(0.0);
  distConf.set(0.0);
  ddistDDirConf.set(0.0);
}

std::ostream& operator<<(std::ostream& os, const MobileObject& o) {
  return os << o.getAbsPos() << " +" << o.getAbsVel();
}
