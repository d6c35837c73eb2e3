#ifndef TOLVANE_GAMEOBJECT_H
#define TOLVANE_GAMEOBJECT_H

#include <ostream>

#include "tolvanebase/angle.h"
#include "tolvanebase/confidence.h"

// The world model's names for a plain number and a shirt number.
typedef double Value;
typedef unsigned int Unum;

// What one sight says about a thing relative to the observer: distance,
// direction (relative to the observer's head) and their changes per cycle,
// each with a confidence.
class GameObject {
public:
  GameObject();
  virtual ~GameObject();

  // The forms without a confidence move a remembered object between sights
  // and leave the confidence as it was.
  void setDist(Value dist0) { dist = dist0; }
  void setDist(Value dist0, Value conf);
  void setDir(vekbase::AngleDeg dir0) { dir = dir0; }
  void setDir(vekbase::AngleDeg dir0, Value conf);
  void setDDistDDir(Value ddist0, vekbase::AngleDeg ddir0);
  void setDDistDDir(Value ddist0, vekbase::AngleDeg ddir0, Value conf);

  Value getDist() const { return dist; }
  Value getDDist() const { return ddist; }
  vekbase::AngleDeg getDir() const { return dir; }
  vekbase::AngleDeg getDDir() const { return ddir; }

  const vekbase::Confidence& getDistConf() const { return distConf; }
  vekbase::Confidence& getDistConf() { return distConf; }
  const vekbase::Confidence& getDirConf() const { return dirConf; }
  vekbase::Confidence& getDirConf() { return dirConf; }
  const vekbase::Confidence& getDDistDDirConf() const { return ddistDDirConf; }
  vekbase::Confidence& getDDistDDirConf() { return ddistDDirConf; }

protected:
  Value dist;
  vekbase::AngleDeg dir;
  Value ddist;
  vekbase::AngleDeg ddir;
  vekbase::Confidence distConf;
  vekbase::Confidence dirConf;
  // One confidence for both changes: the sight reports them together.
  vekbase::Confidence ddistDDirConf;
};

std::ostream& operator<<(std::ostream& os, const GameObject& o);

#endif
