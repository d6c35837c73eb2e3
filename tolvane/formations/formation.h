#ifndef TOLVANE_FORMATIONS_FORMATION_H
#define TOLVANE_FORMATIONS_FORMATION_H

#include <ostream>
#include <vector>

#include "tolvane/formations/role.h"
#include "tolvanebase/vector.h"

namespace Formations {

// Base positions, role assignment and y bounds of the eleven players of a
// side. Per-player vectors are indexed by shirt number; slot 0 is unused.
class Formation {
public:
  // 0: every base position (0, 0); otherwise the built-in default formation.
  explicit Formation(int i);

  // Where shirt u stands for the given ball position when it has nothing
  // better to do; maxX is an upper bound for x (the offside line).
  Vector2D strategicPosition(unsigned int u, const Vector2D& ball, double maxX) const;

  void setBasePositions(const std::vector<Vector2D>& vPos);
  void setBasePosition(unsigned int u, const Vector2D& pos);
  void setBaseXPositions(const std::vector<double>& xPos);
  void setBaseYPositions(const std::vector<double>& yPos);
  Vector2D getBasePosition(unsigned int u) const;
  double getBaseXPosition(unsigned int u) const { return getBasePosition(u)[0]; }
  double getBaseYPosition(unsigned int u) const { return getBasePosition(u)[1]; }

  void setRole(unsigned int i, const Role& r);
  // A default role when i is beyond the role table.
  Role getRole(unsigned int i) const;
  void assignRole(unsigned int u, int ri);
  void assignRoles(const std::vector<int>& rt);
  int assignedRole(unsigned int u) const;

  void setYMinima(const std::vector<double>& yMinima);
  void setYMaxima(const std::vector<double>& yMaxima);
  double getYMin(unsigned int u) const;
  double getYMax(unsigned int u) const;

  std::vector<Vector2D>::const_iterator posBegin() const { return positions.begin() + 1; }
  std::vector<Vector2D>::const_iterator posEnd() const { return positions.end(); }
  std::vector<int>::const_iterator rIdxBegin() const { return roleIndex.begin() + 1; }
  std::vector<int>::const_iterator rIdxEnd() const { return roleIndex.end(); }
  std::vector<Role>::const_iterator rolesBegin() const { return roles.begin(); }
  std::vector<Role>::const_iterator rolesEnd() const { return roles.end(); }
  std::vector<double>::const_iterator yMinBegin() const { return yMin.begin() + 1; }
  std::vector<double>::const_iterator yMinEnd() const { return yMin.end(); }
  std::vector<double>::const_iterator yMaxBegin() const { return yMax.begin() + 1; }
  std::vector<double>::const_iterator yMaxEnd() const { return yMax.end(); }

private:
  // The role that shirt u plays; a default role (and a log line) when the
  // shirt or its role index has no entry.
  Role roleOf(unsigned int u) const;

  std::vector<Vector2D> positions;
  std::vector<int> roleIndex;
  std::vector<Role> roles;
  std::vector<double> yMin;
  std::vector<double> yMax;
};

std::ostream& operator<<(std::ostream& os, const Formation& f);

} // namespace Formations

#endif
