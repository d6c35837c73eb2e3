#ifndef TOLVANEBASE_ENERGY_H
#define TOLVANEBASE_ENERGY_H

#include <ostream>

namespace vekbase {

class BaseServerParam;
class BasePlayertypeParam;

// Stamina, effort and recovery of one player, with the server's stamina model.
class Energy {
public:
  explicit Energy(int playerType);
  Energy(double stamina, double effort, double recovery);

  // One dash of the given power by a player of the given type.
  void update(double dashPower, int playerType);

  double getStamina() const { return M_stamina; }
  double getEffort() const { return M_effort; }
  double getRecovery() const { return M_recovery; }
  void setStamina(double s) { M_stamina = s; }
  void setEffort(double e) { M_effort = e; }
  void setRecovery(double r) { M_recovery = r; }

private:
  const BaseServerParam& server() const;
  const BasePlayertypeParam& playertype() const;

  // Taken from the registry when built; null when nothing was registered yet,
  // and then the registry is asked again at every use.
  const BaseServerParam* M_sp;
  const BasePlayertypeParam* M_pt;
  double M_stamina;
  double M_effort;
  double M_recovery;
};

std::ostream& operator<<(std::ostream& os, const Energy& e);

} // namespace vekbase

#endif
