#include "tolvane/pointobject.h"

PointObject::PointObject() : absPos(0.0, 0.0) {}

PointObject::~PointObject() {}

Vector2D PointObject::predictedPosition(int) const { return absPos; }

void PointObject::setAbsPos(const Vector2D& pos, Value conf) {
  absPos = pos;
  absPosConf.set(conf);
}

std::ostream& operator<<(std::ostream& os, const PointObject& o) {
  return os << o.getAbsPos();
}
