#include "tolvanebase/baseparams.h"

namespace vekbase {

namespace {

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

} // namespace

BaseParams* BaseParams::instance() {
  static BaseParams params;
  return &params;
}

const BaseClientParam& BaseParams::clientParams() const {
  static const DefaultClientParam defaults;
  return M_cp ? *M_cp : defaults;
}

const BaseServerParam& BaseParams::serverParams() const {
  static const DefaultServerParam defaults;
  return M_sp ? *M_sp : defaults;
}

const BasePlayertypeParam& BaseParams::playertypeParams() const {
  static const DefaultPlayertypeParam defaults;
  return M_pt ? *M_pt : defaults;
}

} // namespace vekbase
