#include "tolvanebase/confidence.h"

#include <cmath>

#include <gtest/gtest.h>

#include "tolvanebase/baseparams.h"

using vekbase::BaseParams;
using vekbase::Confidence;

namespace {

struct StrictClient : vekbase::BaseClientParam {
  double confidenceMinValid() const override { return 0.8; }
  double confidenceDecay() const override { return 2.0; }
};

} // namespace

TEST(Confidence, ClampDecayAndValidity) {
  EXPECT_EQ(Confidence(1.3, 0.5, 0.97)(), 1.0);
  EXPECT_EQ(Confidence(-0.2, 0.5, 0.97)(), 0.0);
  EXPECT_EQ(Confidence(std::nan(""), 0.5, 0.97)(), 0.0);

  Confidence c(1.0, 0.5, 0.97);
  for (int i = 0; i < 3; ++i) c.decay();
  EXPECT_NEAR(c(), 0.912673, 1e-6);

  const Confidence half(0.5, 0.5, 0.97);
  EXPECT_TRUE(half.valid() && half.valid(0.5) && !half.valid(0.6));
  EXPECT_FALSE(Confidence(0.4999, 0.5, 0.97).valid());

  // Threshold 1.7 and decay -3 become 1 and 0.
  Confidence odd(0.8, 1.7, -3.0);
  odd.decay();
  EXPECT_EQ(odd(), 0.0);
  EXPECT_TRUE(Confidence(1.0, 1.7, -3.0).valid());
  EXPECT_FALSE(Confidence(0.999, 1.7, -3.0).valid());
}

TEST(Confidence, SettingsFromClientParameters) {
  BaseParams* bp = BaseParams::instance();
  bp->registerClientParams(nullptr);

  // Nothing registered: threshold 0.5 and decay 0.97 of the built-in defaults.
  EXPECT_FALSE(Confidence().valid());
  EXPECT_TRUE(Confidence(0.5).valid());
  EXPECT_FALSE(Confidence(0.4999).valid());
  Confidence m(1.0, 0.98);
  m.decay();
  EXPECT_TRUE(m() == 0.97 && !m.valid());

  // A registered store wins; its decay of 2 is clamped to 1.
  StrictClient strict;
  bp->registerClientParams(&strict);
  Confidence s(0.7);
  EXPECT_FALSE(s.valid());
  s.set(1.5);
  s.decay();
  EXPECT_EQ(s(), 1.0);
  bp->registerClientParams(nullptr);

  // A confidence keeps the settings it was built with.
  s.set(0.7);
  EXPECT_FALSE(s.valid());
  EXPECT_TRUE(Confidence(0.7).valid());
}
