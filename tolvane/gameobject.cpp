#include "tolvane/gameobject.h"

GameObject::GameObject() : dist(0.0), dir(0.0), ddist(0.0), ddir(0.0) {}

GameObject::~GameObject() {}

void GameObject::setDist(Value dist0, Value conf) {
  dist = dist0;
  distConf.set(conf);
}

void GameObject::setDir(vekbase::AngleDeg dir0, Value conf) {
  dir = dir0;
  dirConf.set(conf);
}

void GameObject::setDDistDDir(Value ddist0, vekbase::AngleDeg ddir0) {
  ddist = ddist0;
  ddir = ddir0;
}

void GameObject::setDDistDDir(Value ddist0, vekbase::AngleDeg ddir0, Value conf) {
  setDDistDDir(ddist0, ddir0);
  ddistDDirConf.set(conf);
}

std::ostream& operator<<(std::ostream& os, const GameObject& o) {
  os << "dist       = " << o.getDist() << std::endl;
  os << "dir        = " << double(o.getDir()) << std::endl;
  os << "ddist/ddir = " << o.getDDist() << " / " << double(o.getDDir()) << std::endl;
  return os;
}
