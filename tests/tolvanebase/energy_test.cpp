#include "tolvanebase/energy.h"

#include <sstream>

#include <gtest/gtest.h>

#include "tolvanebase/baseparams.h"

using vekbase::BaseParams;
using vekbase::Energy;

namespace {

struct SlowType : vekbase::BasePlayertypeParam {
  double effortMax(int) const override { return 0.9; }
  double effortMin(int) const override { return 0.7; }
  double staminaIncMax(int) const override { return 30.0; }
};

// The stamina model with the built-in defaults, whatever was registered before.
class EnergyDefaults : public ::testing::Test {
protected:
  void SetUp() override {
    BaseParams::instance()->registerServerParams(nullptr);
    BaseParams::instance()->registerPlayertypeParams(nullptr);
  }
};

} // namespace

TEST_F(EnergyDefaults, DashesAtHighStamina) {
  Energy fresh(0);
  EXPECT_EQ(fresh.getStamina(), 4000.0);
  EXPECT_EQ(fresh.getEffort(), 1.0);
  EXPECT_EQ(fresh.getRecovery(), 1.0);

  Energy e(4000, 1, 1);
  e.update(100, 0);
  EXPECT_EQ(e.getStamina(), 3945.0);
  EXPECT_EQ(e.getEffort(), 1.0);
  EXPECT_EQ(e.getRecovery(), 1.0);
  std::ostringstream os;
  os << e;
  EXPECT_EQ(os.str(), "(s:3945,r:1,e:1)");

  Energy back(4000, 1, 1);
  back.update(-100, 0);
  EXPECT_EQ(back.getStamina(), 3845.0);

  Energy rest(3000, 0.7, 1);
  rest.update(0, 0);
  EXPECT_DOUBLE_EQ(rest.getEffort(), 0.71);
  EXPECT_EQ(rest.getStamina(), 3045.0);
}

TEST_F(EnergyDefaults, DashesAtLowStamina) {
  Energy e(1000, 1, 1);
  e.update(100, 0);
  EXPECT_DOUBLE_EQ(e.getEffort(), 0.995);
  EXPECT_DOUBLE_EQ(e.getRecovery(), 0.998);
  EXPECT_DOUBLE_EQ(e.getStamina(), 944.91);

  // The dash costs more than is left: stamina stops at 0 before recovering.
  Energy x(50, 0.8, 1);
  x.update(100, 0);
  EXPECT_DOUBLE_EQ(x.getEffort(), 0.795);
  EXPECT_DOUBLE_EQ(x.getRecovery(), 0.998);
  EXPECT_DOUBLE_EQ(x.getStamina(), 44.91);

  // Effort and recovery stop at their minima.
  Energy floor(100, 0.6, 0.5);
  floor.update(100, 0);
  EXPECT_EQ(floor.getEffort(), 0.6);
  EXPECT_EQ(floor.getRecovery(), 0.5);
  EXPECT_EQ(floor.getStamina(), 22.5);
}

TEST_F(EnergyDefaults, RegisteredPlayerTypes) {
  BaseParams* bp = BaseParams::instance();
  Energy early(1000, 1, 1);
  SlowType slow;
  bp->registerPlayertypeParams(&slow);
  Energy e(3);
  EXPECT_EQ(e.getEffort(), 0.9);
  e.update(0, 3);
  EXPECT_EQ(e.getEffort(), 0.9);
  EXPECT_EQ(e.getStamina(), 4000.0);
  // Built before the store was there, it reads the store once it is.
  early.update(100, 3);
  EXPECT_DOUBLE_EQ(early.getEffort(), 0.995);
  EXPECT_DOUBLE_EQ(early.getStamina(), 900 + 0.998 * 30);
  bp->registerPlayertypeParams(nullptr);
}
