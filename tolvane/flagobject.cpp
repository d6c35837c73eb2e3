#include "tolvane/flagobject.h"

#include <utility>

FlagObject::FlagObject(FlagId id0, std::string n, double posX, double posY)
    : name(std::move(n)), id(id0) {
  absPos = Vector2D(posX, posY);
}

std::ostream& operator<<(std::ostream& os, const FlagObject& f) {
  return os << "Flag " << f.getName() << " (id = " << int(f.getId()) << ")";
}
