#include "tolvane/formations/formation.h"

#include <algorithm>
#include <cmath>

#include "vomarlog/forwarder.h"

namespace Formations {

namespace {

const unsigned int SLOTS = 12; // shirts 1 to 11, slot 0 unused
const double FIELD_Y_MIN = -34.0;
const double FIELD_Y_MAX = 34.0;
const unsigned short ZONE = 3000;

const double defaultX[SLOTS] = {0, -50, -16, -17, -17, -16, -8, -5, -5, -1, -1, -1};
const double defaultY[SLOTS] = {0, 0, 16, 5, -5, -16, 0, 10, -10, 1, 22, -22};

// Shirt numbers and role indexes come from files; a bad one is reported and
// answered with a neutral value instead of reading outside the vectors.
void logBadIndex(const char* what, long index) {
  vomar::prefixedLine(vomar::ForwarderStreamBuf::S_ERROR, ZONE)
      << "Formation: no entry for " << what << " " << index << "\n";
}

void logExtraValues(const char* what, std::size_t given, std::size_t used) {
  vomar::prefixedLine(vomar::ForwarderStreamBuf::S_ERROR, ZONE)
      << "Formation: " << given << " " << what << " given, only " << used << " used" << "\n";
}

// A trace line of the strategic position, or null when its level is not logged.
vomar::Forwarder* trace(unsigned short level) {
  return vomar::indentedLine(vomar::ForwarderStreamBuf::S_TRACER, ZONE, level);
}

// Copies list element k to slot k + 1 without growing the slots.
template <class T> void fillSlots(std::vector<T>& slots, const std::vector<T>& list, const char* what) {
  const std::size_t room = slots.empty() ? 0 : slots.size() - 1;
  const std::size_t n = std::min(room, list.size());
  for (std::size_t k = 0; k < n; ++k) slots[k + 1] = list[k];
  if (list.size() > room) logExtraValues(what, list.size(), room);
}

} // namespace

Formation::Formation(int i)
    : positions(SLOTS, Vector2D(0.0, 0.0)), roleIndex(SLOTS, 0), roles(1, Role()),
      yMin(SLOTS, FIELD_Y_MIN), yMax(SLOTS, FIELD_Y_MAX) {
  if (i != 0)
    for (unsigned int u = 1; u < SLOTS; ++u) positions[u] = Vector2D(defaultX[u], defaultY[u]);
}

Role Formation::roleOf(unsigned int u) const {
  if (u >= roleIndex.size()) {
    logBadIndex("shirt number", long(u));
    return Role();
  }
  const int ri = roleIndex[u];
  if (ri < 0 || std::size_t(ri) >= roles.size()) {
    logBadIndex("role", ri);
    return Role();
  }
  return roles[ri];
}

Vector2D Formation::strategicPosition(unsigned int u, const Vector2D& ball, double maxX) const {
  vomar::Forwarder* log = vomar::Forwarder::instance(8192);
  log->incIndent();
  if (vomar::Forwarder* out = trace(100))
    *out << "Vector2D Formations::Formation::strategicPosition(unsigned int, "
            "const Vector2D&, double) const"
         << " (" << u << ", " << ball << ", " << maxX << ")" << "\n";
  const Role r = roleOf(u);
  const Vector2D base = u < positions.size() ? positions[u] : Vector2D(0.0, 0.0);

  if (r.getBehindBall() && ball[0] <= maxX) maxX = ball[0];

  Vector2D p(base[0] + r.getXAttraction() * ball[0], base[1] + r.getYAttraction() * ball[1]);
  if (vomar::Forwarder* out = trace(110)) {
    const int ri = u < roleIndex.size() ? roleIndex[u] : 0;
    *out << "base position: " << base << ", role: " << ri << ", attr: " << r.getXAttraction()
         << " / " << r.getYAttraction() << ")" << "\n";
  }

  // xMin is applied last so that it wins over both upper bounds.
  p[0] = std::min(p[0], r.getXMax());
  p[0] = std::min(p[0], maxX);
  p[0] = std::max(p[0], r.getXMin());

  if (std::fabs(p[1]) > r.getYClip()) {
    const double s = p[1] < 0.0 ? -1.0 : 1.0;
    const double t = std::fabs(p[1]) - s * r.getYClipAttrSub() * ball[1];
    p[1] = s * std::max(t, r.getYClip());
  }

  if (vomar::Forwarder* out = trace(100)) *out << "strategicPosition is " << p << "\n";
  log->decIndent();
  return p;
}

void Formation::setBasePositions(const std::vector<Vector2D>& vPos) {
  fillSlots(positions, vPos, "base positions");
}

void Formation::setBasePosition(unsigned int u, const Vector2D& pos) {
  if (u >= positions.size()) positions.resize(u + 1, Vector2D(0.0, 0.0));
  positions[u] = pos;
}

void Formation::setBaseXPositions(const std::vector<double>& xPos) {
  positions.resize(xPos.size() + 1, Vector2D(0.0, 0.0));
  for (std::size_t k = 0; k < xPos.size(); ++k) positions[k + 1][0] = xPos[k];
}

void Formation::setBaseYPositions(const std::vector<double>& yPos) {
  positions.resize(yPos.size() + 1, Vector2D(0.0, 0.0));
  for (std::size_t k = 0; k < yPos.size(); ++k) positions[k + 1][1] = yPos[k];
}

Vector2D Formation::getBasePosition(unsigned int u) const {
  if (u >= positions.size()) {
    logBadIndex("shirt number", long(u));
    return Vector2D(0.0, 0.0);
  }
  return positions[u];
}

void Formation::setRole(unsigned int i, const Role& r) {
  if (i >= roles.size()) roles.resize(std::size_t(i) + 1, Role());
  roles[i] = r;
}

Role Formation::getRole(unsigned int i) const {
  return i < roles.size() ? roles[i] : Role();
}

void Formation::assignRole(unsigned int u, int ri) {
  if (u >= roleIndex.size()) roleIndex.resize(std::size_t(u) + 1, 0);
  roleIndex[u] = ri;
}

void Formation::assignRoles(const std::vector<int>& rt) {
  roleIndex.resize(rt.size() + 1, 0);
  for (std::size_t k = 0; k < rt.size(); ++k) roleIndex[k + 1] = rt[k];
}

int Formation::assignedRole(unsigned int u) const {
  if (u >= roleIndex.size()) {
    logBadIndex("shirt number", long(u));
    return 0;
  }
  return roleIndex[u];
}

void Formation::setYMinima(const std::vector<double>& yMinima) { fillSlots(yMin, yMinima, "y minima"); }

void Formation::setYMaxima(const std::vector<double>& yMaxima) { fillSlots(yMax, yMaxima, "y maxima"); }

double Formation::getYMin(unsigned int u) const {
  if (u >= yMin.size()) {
    logBadIndex("shirt number", long(u));
    return FIELD_Y_MIN;
  }
  return yMin[u];
}

double Formation::getYMax(unsigned int u) const {
  if (u >= yMax.size()) {
    logBadIndex("shirt number", long(u));
    return FIELD_Y_MAX;
  }
  return yMax[u];
}

std::ostream& operator<<(std::ostream& os, const Formation& f) {
  os << "x-position: ";
  for (auto it = f.posBegin(); it != f.posEnd(); ++it) os << (*it)[0] << " ";
  os << "\ny-position: ";
  for (auto it = f.posBegin(); it != f.posEnd(); ++it) os << (*it)[1] << " ";
  os << "\nrole:         ";
  for (auto it = f.rIdxBegin(); it != f.rIdxEnd(); ++it) os << *it << " ";
  if (f.rolesBegin() == f.rolesEnd()) return os << std::endl;

  os << "\nx-attraction: ";
  for (auto it = f.rolesBegin(); it != f.rolesEnd(); ++it) os << it->getXAttraction() << " ";
  os << "\ny-attraction: ";
  for (auto it = f.rolesBegin(); it != f.rolesEnd(); ++it) os << it->getYAttraction() << " ";
  os << "\nbehind:       ";
  for (auto it = f.rolesBegin(); it != f.rolesEnd(); ++it) os << (it->getBehindBall() ? 1 : 0) << " ";
  os << "\nx-min:        ";
  for (auto it = f.rolesBegin(); it != f.rolesEnd(); ++it) os << it->getXMin() << " ";
  os << "\nx-max:        ";
  for (auto it = f.rolesBegin(); it != f.rolesEnd(); ++it) os << it->getXMax() << " ";
  os << "\ny-clip:       ";
  for (auto it = f.rolesBegin(); it != f.rolesEnd(); ++it) os << it->getYClip() << " ";
  os << "\ny-clip-attr:  ";
  for (auto it = f.rolesBegin(); it != f.rolesEnd(); ++it) os << it->getYClipAttraction() << " ";
  os << "\ny-min:        ";
  for (auto it = f.yMinBegin(); it != f.yMinEnd(); ++it) os << *it << " ";
  os << "\ny-max:        ";
  for (auto it = f.yMaxBegin(); it != f.yMaxEnd(); ++it) os << *it << " ";
  return os << std::endl;
}

} // namespace Formations
