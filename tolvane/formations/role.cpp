#include "tolvane/formations/role.h"

namespace Formations {

namespace {

const char* const helpNames[Role::ROLE_END] = {
    "unknown",    "goalie",          "defender", "wing defender",
    "midfielder", "wing midfielder", "attacker", "wing attacker"};

} // namespace

Role::Role()
    : role(NONE), attraction(0.0, 0.0), xMin(-1000.0), xMax(1000.0), yClip(0.0),
      yClipAttraction(0.0), behindBall(false) {}

Role::Role(RoleT rt, const Vector2D& attr, double xmin, double xmax, double yclip,
           double yclipattr, bool bball)
    : role(rt), attraction(attr), xMin(xmin), xMax(xmax), yClip(yclip),
      yClipAttraction(yclipattr), behindBall(bball) {}

void Role::helpRoleTypes(std::ostream& ost) {
  for (int v = 0; v < ROLE_END; ++v) ost << "## " << v << " " << helpNames[v] << "\n";
}

std::ostream& operator<<(std::ostream& os, const Role& r) {
  // Values outside the known types (ROLE_END included) print as unknown.
  const int t = r.getRoleType();
  const char* name = (t >= Role::GOALIE && t <= Role::ATTACKER_WING) ? helpNames[t] : "unknown";
  return os << name << ", "
            << "attraction: " << r.getAttraction() << ", Xmin: " << r.getXMin()
            << ", Xmax: " << r.getXMax() << ", behindBall: " << (r.getBehindBall() ? 1 : 0);
}

} // namespace Formations
