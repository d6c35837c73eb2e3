#ifndef TOLVANE_MOBILEOBJECT_H
#define TOLVANE_MOBILEOBJECT_H

#include <ostream>

#include "tolvane/pointobject.h"

class ServerParam;

// A seen thing that moves: a point object with a velocity, on which the
// server's wind acts.
class MobileObject : public PointObject {
public:
  MobileObject();
  ~MobileObject() override;

  // Position after the given cycles of free motion: the object moves by its
  // velocity, which then shrinks by decay(), once per cycle. Without a
  // trusted velocity it stays where it is.
  Vector2D predictedPosition(int cycles) const override;

  // The factor by which the object's speed shrinks each cycle.
  virtual Value decay() const = 0;
  // The object's weight in the wind formula.
  virtual Value getWeight() const = 0;

  void setAbsVel(const Vector2D& vel) { absVel = vel; }
  void setAbsVel(const Vector2D& vel, Value conf);
  const Vector2D& getAbsVel() const { return absVel; }

  const vekbase::Confidence& getAbsVelConf() const { return absVelConf; }
  vekbase::Confidence& getAbsVelConf() { return absVelConf; }

  // The velocity change the wind gives an object moving with vel in one cycle.
  Vector2D windEffect(Vector2D vel) const;

  // One physics step under the acceleration acc, wind included. Without a
  // trusted velocity the object stays put; the confidences of position,
  // velocity and the relative values decay in either case.
  void update(Vector2D acc);
  // Drops the confidences of position, velocity and the relative values;
  // the values stay.
  void invalidate();

protected:
  ServerParam* SP;
  Vector2D absVel;
  vekbase::Confidence absVelConf;
};

std::ostream& operator<<(std::ostream& os, const MobileObject& o);

#endif
