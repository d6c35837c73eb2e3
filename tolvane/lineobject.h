#ifndef TOLVANE_LINEOBJECT_H
#define TOLVANE_LINEOBJECT_H

#include <ostream>

#include "tolvane/gameobject.h"

// A seen boundary line of the field.
class LineObject : public GameObject {
public:
  // As the server names them: (l l), (l t), (l r), (l b).
  enum LineId { Line_L = 0, Line_T, Line_R, Line_B, No_Line };

  LineObject();
  ~LineObject() override;

  LineId getId() const { return id; }
  void setId(LineId id0) { id = id0; }

protected:
  LineId id;
};

std::ostream& operator<<(std::ostream& os, const LineObject& l);

#endif
