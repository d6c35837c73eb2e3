#include "tolvane/formations/formationparam.h"

#include <iostream>
#include <memory>

#include "vomarlog/forwarder.h"

namespace Formations {

namespace {

vomar::Forwarder& error() { return vomar::prefixedLine(vomar::ForwarderStreamBuf::S_ERROR, 0); }

} // namespace

FormationParam* FormationParam::instance() {
  static std::unique_ptr<FormationParam> theInstance(new FormationParam());
  return theInstance.get();
}

FormationParam::FormationParam()
    : fSetup(0), fDefault(0), fDefensive(0), fAttacking(0), currentFType(SETUP), current(0),
      currentFNumber(0) {
  begin();
  formation.push_back(Formation(1));
}

// The options point into this object; drop them before the members go.
FormationParam::~FormationParam() { end(); }

const Formation& FormationParam::currentFormation() const {
  int n;
  switch (currentFType) {
  case SETUP: n = fSetup; break;
  case DEFENSIVE: n = fDefensive; break;
  case ATTACKING: n = fAttacking; break;
  default: n = fDefault; break;
  }
  if (n < 0 || std::size_t(n) >= formation.size()) {
    error() << "FormationParam: no formation " << n << ", using formation 0" << "\n";
    return formation[0];
  }
  return formation[n];
}

void FormationParam::createOptionList(std::list<Option*>& l) {
  // The keys that act on the formation being defined.
  auto key = [&](Option* o, SetMethodT m) {
    l.push_back(o);
    setMethodMap[o->getName()] = m;
  };
  key(new IntOption("formation", &currentFNumber, 0), SET_FORMATION);
  key(new DblVecOption("x-position", &xPositions, 11, 11, 0.0), SET_X_POS);
  key(new DblVecOption("y-position", &yPositions, 11, 11, 0.0), SET_Y_POS);
  key(new IntVecOption("role", &roles, 11, 11, 0), SET_ROLES);
  key(new DblVecOption("x-attraction", &xAttractions, 1, 16, 0.0), SET_X_ATTRACTION);
  key(new DblVecOption("y-attraction", &yAttractions, 1, 16, 0.0), SET_Y_ATTRACTION);
  key(new IntVecOption("behind", &behindBall, 1, 16, 0), SET_BEHIND_BALLS);
  key(new DblVecOption("x-max", &xMax, 1, 16, 0.0), SET_X_MAX);
  key(new DblVecOption("x-min", &xMin, 1, 16, 0.0), SET_X_MIN);
  key(new DblVecOption("y-clip", &yClip, 1, 16, 0.0), SET_Y_CLIP);
  key(new DblVecOption("y-clip-attr", &yClipAttractions, 1, 16, 0.0), SET_Y_CLIP_ATTR);
  key(new DblVecOption("y-min", &yMin, 11, 11, 0.0), SET_Y_MIN);
  key(new DblVecOption("y-max", &yMax, 11, 11, 0.0), SET_Y_MAX);
  l.push_back(new IntOption("setup-formation", &fSetup, 0));
  l.push_back(new IntOption("default-formation", &fDefault, 0));
  l.push_back(new IntOption("defensive-formation", &fDefensive, 0));
  l.push_back(new IntOption("attacking-formation", &fAttacking, 0));
}

// The number comes from a file: a negative or absurd one would index outside
// the table or allocate without bound, so it is refused and the formation
// selected so far stays selected.
void FormationParam::selectFormation() {
  const int f = currentFNumber;
  if (f < 0 || f > MAX_FORMATION_NUMBER) {
    error() << "FormationParam: formation number " << f << " refused (allowed 0 to "
            << MAX_FORMATION_NUMBER << ")" << "\n";
    currentFNumber = int(current);
    return;
  }
  if (std::size_t(f) >= formation.size()) formation.resize(std::size_t(f) + 1, Formation(0));
  current = std::size_t(f);
}

void FormationParam::setRoleField(SetMethodT m, std::size_t i, double v) {
  Formation& f = formation[current];
  Role r = f.getRole(unsigned(i));
  switch (m) {
  case SET_X_MIN: r.setXMin(v); break;
  case SET_X_MAX: r.setXMax(v); break;
  case SET_X_ATTRACTION: r.setXAttraction(v); break;
  case SET_Y_ATTRACTION: r.setYAttraction(v); break;
  case SET_BEHIND_BALLS: r.setBehindBall(v != 0.0); break;
  case SET_Y_CLIP: r.setYClip(v); break;
  case SET_Y_CLIP_ATTR: r.setYClipAttraction(v); break;
  default: return;
  }
  f.setRole(unsigned(i), r);
}

bool FormationParam::setParameter(const std::string& pName, const std::string& pValue) {
  if (!started) {
    error() << "FormationParam has to be started first" << "\n";
    return false;
  }
  const bool taken = setOptionValue(pName, pValue, 0);

  const std::map<std::string, SetMethodT>::const_iterator m = setMethodMap.find(pName);
  if (m == setMethodMap.end()) return taken;

  // A refused value is applied too, with what the option kept of it.
  Formation& f = formation[current];
  const std::vector<double>* roleValues = nullptr;
  switch (m->second) {
  case SET_FORMATION: selectFormation(); return taken;
  case SET_X_POS: f.setBaseXPositions(xPositions); return taken;
  case SET_Y_POS: f.setBaseYPositions(yPositions); return taken;
  case SET_ROLES: f.assignRoles(roles); return taken;
  case SET_Y_MIN: f.setYMinima(yMin); return taken;
  case SET_Y_MAX: f.setYMaxima(yMax); return taken;
  case SET_BEHIND_BALLS:
    for (std::size_t i = 0; i < behindBall.size(); ++i) setRoleField(SET_BEHIND_BALLS, i, behindBall[i]);
    return taken;
  case SET_X_MIN: roleValues = &xMin; break;
  case SET_X_MAX: roleValues = &xMax; break;
  case SET_X_ATTRACTION: roleValues = &xAttractions; break;
  case SET_Y_ATTRACTION: roleValues = &yAttractions; break;
  case SET_Y_CLIP: roleValues = &yClip; break;
  case SET_Y_CLIP_ATTR: roleValues = &yClipAttractions; break;
  case DONT_SET: return taken;
  }
  if (roleValues)
    for (std::size_t i = 0; i < roleValues->size(); ++i) setRoleField(m->second, i, (*roleValues)[i]);
  return taken;
}

void FormationParam::printOptions() const {
  if (!started) {
    error() << "FormationParam has to be started first" << "\n";
    return;
  }
  for (const Option* o : *optionList)
    if (setMethodMap.find(o->getName()) == setMethodMap.end()) std::cout << *o << "\n";
  for (std::size_t i = 0; i < formation.size(); ++i)
    std::cout << "\n" << "Formation: " << i << "\n" << formation[i];
  std::cout << "\n## List of role types:\n";
  Role::helpRoleTypes(std::cout);
  std::cout << "\n";
}

} // namespace Formations
