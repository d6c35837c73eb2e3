#ifndef TOLVANE_FLAGOBJECT_H
#define TOLVANE_FLAGOBJECT_H

#include <ostream>
#include <string>

#include "tolvane/pointobject.h"

// One of the fixed field flags or goals.
class FlagObject : public PointObject {
public:
  enum FlagId {
    Flag_C = 0, Flag_CT, Flag_CB,
    Flag_LT, Flag_LB, Flag_RT, Flag_RB,
    Flag_PLT, Flag_PLC, Flag_PLB, Flag_PRT, Flag_PRC, Flag_PRB,
    Flag_GLT, Flag_GLB, Flag_GRT, Flag_GRB, Flag_GL, Flag_GR,
    Flag_TL50, Flag_TL40, Flag_TL30, Flag_TL20, Flag_TL10, Flag_T0,
    Flag_TR10, Flag_TR20, Flag_TR30, Flag_TR40, Flag_TR50,
    Flag_BL50, Flag_BL40, Flag_BL30, Flag_BL20, Flag_BL10, Flag_B0,
    Flag_BR10, Flag_BR20, Flag_BR30, Flag_BR40, Flag_BR50,
    Flag_LT30, Flag_LT20, Flag_LT10, Flag_L0, Flag_LB10, Flag_LB20, Flag_LB30,
    Flag_RT30, Flag_RT20, Flag_RT10, Flag_R0, Flag_RB10, Flag_RB20, Flag_RB30,
    No_Flag
  };

  // The position is known exactly but carries no confidence until a sight
  // or the localisation gives it one.
  FlagObject(FlagId id0, std::string n, double posX, double posY);

  FlagId getId() const { return id; }
  void setId(FlagId id0) { id = id0; }
  std::string getName() const { return name; }
  void setName(std::string n) { name = n; }

protected:
  // The see-message name, parentheses included, e.g. "(f c)".
  std::string name;
  FlagId id;
};

std::ostream& operator<<(std::ostream& os, const FlagObject& f);

#endif
