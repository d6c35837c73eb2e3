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

TEST(Confidence, ValuesAreClampedToUnitRange) {
  EXPECT_EQ(Confidence(1.3, 0.5, 0.97)(), 1.0);
  EXPECT_EQ(Confidence(-0.2, 0.5, 0.97)(), 0.0);
  EXPECT_EQ(Confidence(std::nan(""), 0.5, 0.97)(), 0.0);
}

TEST(Confidence, DecayAndValidity) {
  Confidence c(1.0, 0.5, 0.97);
  c.decay();
  EXPECT_DOUBLE_EQ(c(), 0.97);
  c.decay();
  c.decay();
  EXPECT_NEAR(c(), 0.912673, 1e-6);

  EXPECT_TRUE(Confidence(0.5, 0.5, 0.97).valid());
  EXPECT_FALSE(Confidence(0.4999, 0.5, 0.97).valid());
  EXPECT_FALSE(Confidence(0.5, 0.5, 0.97).valid(0.6));
  EXPECT_TRUE(Confidence(0.5, 0.5, 0.97).valid(0.5));

  // Threshold 1.7 and decay -3 become 1 and 0.
  Confidence odd(0.8, 1.7, -3.0);
  EXPECT_FALSE(odd.valid());
  odd.decay();
  EXPECT_EQ(odd(), 0.0);
  EXPECT_TRUE(Confidence(1.0, 1.7, -3.0).valid());
  EXPECT_FALSE(Confidence(0.999, 1.7, -3.0).valid());
}

TEST(Confidence, SettingsFromClientParameters) {
  BaseParams* bp = BaseParams::instance();
  bp->registerClientParams(nullptr);

  // Nothing registered: threshold 0.5 and decay 0.97 of the built-in defaults.
  EXPECT_EQ(Confidence()(), 0.0);
  EXPECT_FALSE(Confidence().valid());
  EXPECT_TRUE(Confidence(0.5).valid());
  EXPECT_FALSE(Confidence(0.4999).valid());
  Confidence d(1.0);
  d.decay();
  EXPECT_DOUBLE_EQ(d(), 0.97);
  Confidence m(1.0, 0.9);
  m.decay();
  EXPECT_DOUBLE_EQ(m(), 0.97);
  EXPECT_TRUE(m.valid());

  // A registered store wins; its decay of 2 is clamped to 1.
  StrictClient strict;
  bp->registerClientParams(&strict);
  Confidence s(0.7);
  EXPECT_FALSE(s.valid());
  s.set(1.0);
  s.decay();
  EXPECT_EQ(s(), 1.0);
  bp->registerClientParams(nullptr);

  // A confidence keeps the settings it was built with.
  Confidence copy = s;
  copy.set(0.7);
  EXPECT_FALSE(copy.valid());
  EXPECT_TRUE(Confidence(0.7).valid());
}
