#ifndef TOLVANE_FORMATIONS_ROLE_H
#define TOLVANE_FORMATIONS_ROLE_H

#include <ostream>

#include "tolvanebase/vector.h"

namespace Formations {

// How far one player's position follows the ball and within which limits
// it has to stay. The role type is carried for the listings only.
class Role {
public:
  enum RoleT {
    NONE = 0,
    GOALIE = 1,
    DEFENDER = 2,
    DEFENDER_WING = 3,
    MIDFIELDER = 4,
    MIDFIELDER_WING = 5,
    ATTACKER = 6,
    ATTACKER_WING = 7,
    ROLE_END = 8
  };

  Role();
  Role(RoleT rt, const Vector2D& attr, double xmin, double xmax, double yclip,
       double yclipattr, bool bball);

  void setRoleType(RoleT rt) { role = rt; }
  RoleT getRoleType() const { return role; }

  void setAttraction(const Vector2D& a) { attraction = a; }
  Vector2D getAttraction() const { return attraction; }
  void setXAttraction(double a) { attraction[0] = a; }
  double getXAttraction() const { return attraction[0]; }
  void setYAttraction(double a) { attraction[1] = a; }
  double getYAttraction() const { return attraction[1]; }

  void setXMin(double x) { xMin = x; }
  double getXMin() const { return xMin; }
  void setXMax(double x) { xMax = x; }
  double getXMax() const { return xMax; }
  void setXMinMax(double x0, double x1) {
    xMin = x0;
    xMax = x1;
  }

  void setYClip(double y) { yClip = y; }
  double getYClip() const { return yClip; }
  void setYClipAttraction(double a) { yClipAttraction = a; }
  double getYClipAttraction() const { return yClipAttraction; }
  // How far a clipped y moves towards the centre line per metre of ball y.
  double getYClipAttrSub() const { return yClip - yClipAttraction; }

  void setBehindBall(bool b) { behindBall = b; }
  bool getBehindBall() const { return behindBall; }

  // One line "## <number> <name>" for each role type from 0 to 7.
  static void helpRoleTypes(std::ostream& ost);

private:
  RoleT role;
  Vector2D attraction;
  double xMin;
  double xMax;
  double yClip;
  double yClipAttraction;
  bool behindBall;
};

std::ostream& operator<<(std::ostream& os, const Role& r);

} // namespace Formations

#endif
