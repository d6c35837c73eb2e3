#ifndef TOLVANEBASE_BASEPARAMS_H
#define TOLVANEBASE_BASEPARAMS_H

#include "tolvanebase/angle.h"

namespace vekbase {

// The server's stamina and view parameters, as the base types need them.
class BaseServerParam {
public:
  virtual ~BaseServerParam() {}
  virtual double staminaMax() const = 0;
  virtual double effortInc() const = 0;
  virtual double effortDec() const = 0;
  virtual double effortIncThr() const = 0;
  virtual double effortDecThr() const = 0;
  virtual double recoverMin() const = 0;
  virtual double recoverDec() const = 0;
  virtual double recoverDecThr() const = 0;
  virtual AngleDeg visibleAngle() const = 0;
};

// The per-player-type values the stamina model needs.
class BasePlayertypeParam {
public:
  virtual ~BasePlayertypeParam() {}
  virtual double effortMax(int type) const = 0;
  virtual double effortMin(int type) const = 0;
  virtual double staminaIncMax(int type) const = 0;
};

// The agent's confidence settings.
class BaseClientParam {
public:
  virtual ~BaseClientParam() {}
  virtual double confidenceMinValid() const = 0;
  virtual double confidenceDecay() const = 0;
};

// Where the base types find the parameter stores without knowing them.
class BaseParams {
public:
  static BaseParams* instance();

  void registerClientParams(const BaseClientParam* cp) { M_cp = cp; }
  void registerServerParams(const BaseServerParam* sp) { M_sp = sp; }
  void registerPlayertypeParams(const BasePlayertypeParam* pt) { M_pt = pt; }

  // The registered store, or null when none is registered.
  const BaseClientParam* getClientParams() const { return M_cp; }
  const BaseServerParam* getServerParams() const { return M_sp; }
  const BasePlayertypeParam* getPlayertypeParams() const { return M_pt; }

  // The registered store, or the soccer server's version-8 defaults when none
  // is registered, so that nothing built before the stores exist reads a null.
  const BaseClientParam& clientParams() const;
  const BaseServerParam& serverParams() const;
  const BasePlayertypeParam& playertypeParams() const;

private:
  BaseParams() : M_cp(nullptr), M_sp(nullptr), M_pt(nullptr) {}

  const BaseClientParam* M_cp;
  const BaseServerParam* M_sp;
  const BasePlayertypeParam* M_pt;
};

} // namespace vekbase

#endif
