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

TEST_F(EnergyDefaults, OneDash) {
  // stamina, effort, recovery, dash power -> stamina, effort, recovery
  const double cases[][7] = {
      {4000, 1, 1, 100, 3945, 1, 1},
      {4000, 1, 1, -100, 3845, 1, 1}, // backwards costs twice
      {3000, 0.7, 1, 0, 3045, 0.71, 1},
      {2500, 0.7, 1, 100, 2445, 0.71, 1}, // 2400 is at the rise threshold
      {1300, 1, 1, 100, 1244.91, 0.995, 0.998}, // 1200 is at both fall thresholds
      {1000, 1, 1, 100, 944.91, 0.995, 0.998},
      {50, 0.8, 1, 100, 44.91, 0.795, 0.998}, // stops at 0 before recovering
      {100, 0.6, 0.5, 100, 22.5, 0.6, 0.5}, // effort and recovery at their minima
  };
  for (auto& c : cases) {
    Energy e(c[0], c[1], c[2]);
    e.update(c[3], 0);
    EXPECT_DOUBLE_EQ(e.getStamina(), c[4]) << c[0] << " " << c[3];
    EXPECT_DOUBLE_EQ(e.getEffort(), c[5]) << c[0] << " " << c[3];
    EXPECT_DOUBLE_EQ(e.getRecovery(), c[6]) << c[0] << " " << c[3];
  }
  std::ostringstream os;
  os << Energy(3945, 1, 0.5) << Energy(0);
  EXPECT_EQ(os.str(), "(s:3945,r:0.5,e:1)(s:4000,r:1,e:1)");
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
  // Built before the store was there, it reads the store once it is.
  early.update(100, 3);
  EXPECT_DOUBLE_EQ(early.getEffort(), 0.995);
  EXPECT_DOUBLE_EQ(early.getStamina(), 900 + 0.998 * 30);
  bp->registerPlayertypeParams(nullptr);
}
