#ifndef TOLVANE_POINTOBJECT_H
#define TOLVANE_POINTOBJECT_H

#include <ostream>

#include "tolvane/gameobject.h"
#include "tolvanebase/vector.h"

// A seen thing with an absolute field position.
class PointObject : public GameObject {
public:
  PointObject();
  ~PointObject() override;

  // A point object does not move; movers override this.
  virtual Vector2D predictedPosition(int cycles) const;

  void setAbsPos(const Vector2D& pos) { absPos = pos; }
  void setAbsPos(const Vector2D& pos, Value conf);
  Vector2D getAbsPos() const { return absPos; }

  const vekbase::Confidence& getAbsPosConf() const { return absPosConf; }
  vekbase::Confidence& getAbsPosConf() { return absPosConf; }

protected:
  Vector2D absPos;
  vekbase::Confidence absPosConf;
};

std::ostream& operator<<(std::ostream& os, const PointObject& o);

#endif
