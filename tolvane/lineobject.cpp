#include "tolvane/lineobject.h"

LineObject::LineObject() : id(No_Line) {}

LineObject::~LineObject() {}

std::ostream& operator<<(std::ostream& os, const LineObject& l) {
  switch (l.getId()) {
  case LineObject::Line_L:
    return os << "left";
  case LineObject::Line_T:
    return os << "top";
  case LineObject::Line_R:
    return os << "right";
  case LineObject::Line_B:
    return os << "bottom";
  default:
    return os << "no line";
  }
}
