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

// The soccer server's version-8 defaults, which stand in while no store is
// registered.
class DefaultServerParam : public BaseServerParam {
public:
  double staminaMax() const override { return 4000.0; }
  double effortInc() const override { return 0.01; }
  double effortDec() const override { return 0.005; }
  double effortIncThr() const override { return 0.6; }
  double effortDecThr() const override { return 0.3; }
  double recoverMin() const override { return 0.5; }
  double recoverDec() const override { return 0.002; }
  double recoverDecThr() const override { return 0.3; }
  AngleDeg visibleAngle() const override { return AngleDeg(90.0); }
};

// Before the server names the types, every type plays with the default values.
class DefaultPlayertypeParam : public BasePlayertypeParam {
public:
  double effortMax(int) const override { return 1.0; }
  double effortMin(int) const override { return 0.6; }
  double staminaIncMax(int) const override { return 45.0; }
};

class DefaultClientParam : public BaseClientParam {
public:
  double confidenceMinValid() const override { return 0.5; }
  double confidenceDecay() const override { return 0.97; }
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
