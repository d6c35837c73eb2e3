#include "tolvane/formations/formation.h"

#include <gtest/gtest.h>

#include "testutil/text.h"

using Formations::Formation;
using Formations::Role;

using testutil::text;

TEST(FormationTest, StrategicPosition) {
  Formation f(1);
  EXPECT_EQ("V(-1, -22)", text(f.strategicPosition(11, Vector2D(20, 10), 0)));
  EXPECT_EQ("V(-60, 0)", text(f.strategicPosition(1, Vector2D(0, 0), -60)));
  EXPECT_EQ("V(0, 0)", text(Formation(0).strategicPosition(7, Vector2D(-30, 17), 0)));

  f.setRole(1, Role(Role::DEFENDER, Vector2D(0.5, 0.25), -45, 10, 20, 18, true));
  f.assignRole(11, 1);
  EXPECT_EQ("V(-10, -20)", text(f.strategicPosition(11, Vector2D(-10, -4), 30)));
  // The lower x limit wins over the caller's bound.
  EXPECT_EQ(-45.0, f.strategicPosition(11, Vector2D(-10, -4), -50)[0]);

  // A y exactly at the clip distance is not clipped (clipping would give 32).
  Formation g(1);
  g.setRole(0, Role(Role::NONE, Vector2D(0, 0), -1000, 1000, 22, 20, false));
  EXPECT_EQ("V(-1, 22)", text(g.strategicPosition(10, Vector2D(0, -5), 50)));
  // A y of 0 counts as positive when the clip distance is negative.
  g.setRole(0, Role(Role::NONE, Vector2D(0, 0), -1000, 1000, -1, -3, false));
  EXPECT_EQ("V(-8, -1)", text(g.strategicPosition(6, Vector2D(0, 3), 50)));
}

TEST(FormationTest, BadIndexesGiveDefaults) {
  Formation f(1);
  f.assignRole(3, 5);
  EXPECT_EQ("V(-17, 5)", text(f.strategicPosition(3, Vector2D(10, 10), 50)));
  EXPECT_EQ("V(0, 0)", text(f.strategicPosition(12, Vector2D(10, 10), 50)));
  EXPECT_EQ(-34.0, f.getYMin(40));
  EXPECT_EQ(34.0, f.getYMax(40));
  EXPECT_EQ(0, f.assignedRole(99));

  // Lists longer than the shirt slots set shirts 1 to 11 only.
  f.setYMinima(std::vector<double>(14, -20));
  EXPECT_EQ(-20.0, f.getYMin(11));
}

TEST(FormationTest, RoleTableGrowsWithDefaults) {
  Formation f(0);
  const std::string none = "unknown, attraction: V(0, 0), Xmin: -1000, Xmax: 1000, behindBall: 0";
  EXPECT_EQ(none, text(f.getRole(5)));
  f.setRole(3, Role(Role::ATTACKER_WING, Vector2D(0.5, 0.25), -45, 10, 20, 18, true));
  EXPECT_EQ(4, f.rolesEnd() - f.rolesBegin());
  EXPECT_EQ(none, text(f.getRole(2)));
  EXPECT_EQ("wing attacker, attraction: V(0.5, 0.25), Xmin: -45, Xmax: 10, behindBall: 1",
            text(f.getRole(3)));
}
