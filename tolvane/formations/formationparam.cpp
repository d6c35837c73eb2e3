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
  // A formation number beyond the table's bound would allocate without
  // bound; a role index names one of the (at most 16) roles of the table.
  auto number = [](const char* name, int* v) {
    return new IntOption(name, v, 0, 0, MAX_FORMATION_NUMBER);
  };
  // Metres and attractions: the defaults of a role's limits, -1000 and
  // 1000, stand for none, and nothing beyond them means anything on the
  // field. A larger number would overflow in the agent's arithmetic.
  auto values = [](const char* name, std::vector<double>* v, unsigned int minLen,
                   unsigned int maxLen) {
    return new DblVecOption(name, v, minLen, maxLen, 0.0, -MAX_VALUE, MAX_VALUE);
  };
  key(number("formation", &currentFNumber), SET_FORMATION);
  key(values("x-position", &xPositions, 11, 11), SET_X_POS);
  key(values("y-position", &yPositions, 11, 11), SET_Y_POS);
  key(new IntVecOption("role", &roles, 11, 11, 0, 0, MAX_ROLES - 1), SET_ROLES);
  key(values("x-attraction", &xAttractions, 1, MAX_ROLES), SET_X_ATTRACTION);
  key(values("y-attraction", &yAttractions, 1, MAX_ROLES), SET_Y_ATTRACTION);
  key(new IntVecOption("behind", &behindBall, 1, MAX_ROLES, 0), SET_BEHIND_BALLS);
  key(values("x-max", &xMax, 1, MAX_ROLES), SET_X_MAX);
  key(values("x-min", &xMin, 1, MAX_ROLES), SET_X_MIN);
  key(values("y-clip", &yClip, 1, MAX_ROLES), SET_Y_CLIP);
  key(values("y-clip-attr", &yClipAttractions, 1, MAX_ROLES), SET_Y_CLIP_ATTR);
  key(values("y-min", &yMin, 11, 11), SET_Y_MIN);
  key(values("y-max", &yMax, 11, 11), SET_Y_MAX);
  l.push_back(number("setup-formation", &fSetup));
  l.push_back(number("default-formation", &fDefault));
  l.push_back(number("defensive-formation", &fDefensive));
  l.push_back(number("attacking-formation", &fAttacking));
}

void FormationParam::selectFormation() {
  const std::size_t f = std::size_t(currentFNumber);
  if (f >= formation.size()) formation.resize(f + 1, Formation(0));
  current = f;
}

bool FormationParam::setParameter(const std::string& pName, const std::string& pValue) {
  if (!started) {
    error() << "FormationParam has to be started first" << "\n";
    return false;
  }
  // A refused value leaves the formation as it was.
  if (!setOptionValue(pName, pValue, 0)) return false;
  const std::map<std::string, SetMethodT>::const_iterator m = setMethodMap.find(pName);
  if (m == setMethodMap.end()) return true;

  Formation& f = formation[current];
  // Value i of a role-table key sets one field of role i; the role table
  // grows as needed and the other fields are kept.
  const auto eachRole = [&f](const auto& values, auto setField) {
    for (std::size_t i = 0; i < values.size(); ++i) {
      Role r = f.getRole(unsigned(i));
      (r.*setField)(values[i]);
      f.setRole(unsigned(i), r);
    }
  };
  switch (m->second) {
  case SET_FORMATION: selectFormation(); break;
  case SET_X_POS: f.setBaseXPositions(xPositions); break;
  case SET_Y_POS: f.setBaseYPositions(yPositions); break;
  case SET_ROLES: f.assignRoles(roles); break;
  case SET_Y_MIN: f.setYMinima(yMin); break;
  case SET_Y_MAX: f.setYMaxima(yMax); break;
  case SET_X_MIN: eachRole(xMin, &Role::setXMin); break;
  case SET_X_MAX: eachRole(xMax, &Role::setXMax); break;
  case SET_X_ATTRACTION: eachRole(xAttractions, &Role::setXAttraction); break;
  case SET_Y_ATTRACTION: eachRole(yAttractions, &Role::setYAttraction); break;
  case SET_BEHIND_BALLS: eachRole(behindBall, &Role::setBehindBall); break; // true when not 0
  case SET_Y_CLIP: eachRole(yClip, &Role::setYClip); break;
  case SET_Y_CLIP_ATTR: eachRole(yClipAttractions, &Role::setYClipAttraction); break;
  case DONT_SET: break;
  }
  return true;
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
