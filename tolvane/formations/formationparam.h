#ifndef TOLVANE_FORMATIONS_FORMATIONPARAM_H
#define TOLVANE_FORMATIONS_FORMATIONPARAM_H

#include <cstddef>
#include <list>
#include <map>
#include <string>
#include <vector>

#include "tolvane/formations/formation.h"
#include "tolvane/paramreader.h"

namespace Formations {

// The process-wide table of formations, filled from the formation file, and
// the formation used in each game situation. Keys are applied at once to the
// formation being defined, so the order of the file's lines matters.
class FormationParam : public ParamReader {
public:
  enum FormationT { SETUP = 0, DEFAULT = 1, DEFENSIVE = 2, ATTACKING = 3, NONE = 4 };

  enum SetMethodT {
    DONT_SET = 0,
    SET_FORMATION = 1,
    SET_X_POS = 2,
    SET_Y_POS = 3,
    SET_X_MIN = 4,
    SET_X_MAX = 5,
    SET_X_ATTRACTION = 6,
    SET_Y_ATTRACTION = 7,
    SET_ROLES = 8,
    SET_BEHIND_BALLS = 9,
    SET_Y_CLIP = 10,
    SET_Y_CLIP_ATTR = 11,
    SET_Y_MIN = 12,
    SET_Y_MAX = 13
  };

  // Highest formation number a formation file may select.
  static const int MAX_FORMATION_NUMBER = 100;
  // The most roles a formation's role table holds.
  static const int MAX_ROLES = 16;
  // The largest magnitude of a position, limit or attraction in the file.
  static constexpr double MAX_VALUE = 1000.0;

  static FormationParam* instance();
  ~FormationParam() override;

  void setFormationType(FormationT ft) { currentFType = ft; }
  FormationT getFormationType() const { return currentFType; }

  // The formation of the current situation; formation 0 (and a log line)
  // when the situation's number names no formation of the table.
  const Formation& currentFormation() const;

  bool setParameter(const std::string& pName, const std::string& pValue) override;
  void createOptionList(std::list<Option*>& l) override;
  // Situation numbers, every formation and the role types on standard output.
  void printOptions() const;
  int valId() const override { return 5; }

private:
  FormationParam();

  void selectFormation();

  std::vector<Formation> formation;
  int fSetup;
  int fDefault;
  int fDefensive;
  int fAttacking;
  FormationT currentFType;
  std::vector<double> xPositions, yPositions;
  std::vector<double> xMax, xMin;
  std::vector<double> xAttractions, yAttractions;
  std::vector<double> yClip, yClipAttractions;
  std::vector<double> yMin, yMax;
  std::vector<int> roles, behindBall;
  std::size_t current;
  int currentFNumber;
  std::map<std::string, SetMethodT> setMethodMap;
};

} // namespace Formations

#endif
