#include "tolvanebase/energy.h"

#include <algorithm>

#include "tolvanebase/baseparams.h"

namespace vekbase {

Energy::Energy(int playerType)
    : M_sp(BaseParams::instance()->getServerParams()),
      M_pt(BaseParams::instance()->getPlayertypeParams()),
      M_stamina(server().staminaMax()),
      M_effort(playertype().effortMax(playerType)),
      M_recovery(1.0) {}

Energy::Energy(double stamina, double effort, double recovery)
    : M_sp(BaseParams::instance()->getServerParams()),
      M_pt(BaseParams::instance()->getPlayertypeParams()),
      M_stamina(stamina),
      M_effort(effort),
      M_recovery(recovery) {}

const BaseServerParam& Energy::server() const {
  return M_sp ? *M_sp : BaseParams::instance()->serverParams();
}

const BasePlayertypeParam& Energy::playertype() const {
  return M_pt ? *M_pt : BaseParams::instance()->playertypeParams();
}

void Energy::update(double dashPower, int playerType) {
  const BaseServerParam& sp = server();
  const BasePlayertypeParam& pt = playertype();
  const double maxStamina = sp.staminaMax();

  // Dashing backwards costs twice as much.
  const double cost = dashPower >= 0.0 ? dashPower : -2.0 * dashPower;
  M_stamina = std::max(M_stamina - cost, 0.0);

  if (M_stamina <= sp.effortDecThr() * maxStamina)
    M_effort = std::max(M_effort - sp.effortDec(), pt.effortMin(playerType));
  if (M_stamina >= sp.effortIncThr() * maxStamina)
    M_effort = std::min(M_effort + sp.effortInc(), pt.effortMax(playerType));
  if (M_stamina <= sp.recoverDecThr() * maxStamina)
    M_recovery = std::max(M_recovery - sp.recoverDec(), sp.recoverMin());

  M_stamina = std::min(maxStamina, M_stamina + M_recovery * pt.staminaIncMax(playerType));
}

std::ostream& operator<<(std::ostream& os, const Energy& e) {
  return os << "(s:" << e.getStamina() << ",r:" << e.getRecovery() << ",e:" << e.getEffort()
            << ")";
}

} // namespace vekbase
