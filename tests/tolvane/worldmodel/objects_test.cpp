#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "testutil/text.h"
#include "tolvane/armobject.h"
#include "tolvane/lineobject.h"
#include "tolvane/playerobject.h"
#include "tolvane/serverparam.h"

namespace {

using testutil::text;

TEST(ObjectsTest, FixedObjectsAndTheirTexts) {
  GameObject g;
  g.setDist(12.0, 1.7);  // confidences are clamped to [0, 1]
  EXPECT_EQ(1.0, g.getDistConf()());
  g.setDist(12.0, -0.3);
  EXPECT_EQ(0.0, g.getDistConf()());
  g.setDist(3.0, 0.8);
  g.setDist(7.5);  // keeps the confidence
  EXPECT_EQ(0.8, g.getDistConf()());
  g.setDir(-30.0);
  g.setDDistDDir(0.2, 1.5);
  EXPECT_EQ("dist       = 7.5\ndir        = -30\nddist/ddir = 0.2 / 1.5\n", text(g));

  PointObject p;
  p.setAbsPos(Vector2D(1.0, 2.0));
  for (int n : {0, -3, 1000}) EXPECT_EQ(Vector2D(1.0, 2.0), p.predictedPosition(n));

  LineObject line;
  std::ostringstream os;
  os << line;
  for (LineObject::LineId id : {LineObject::Line_L, LineObject::Line_T, LineObject::Line_R,
                                LineObject::Line_B}) {
    line.setId(id);
    os << "|" << line;
  }
  EXPECT_EQ("no line|left|top|right|bottom", os.str());
  EXPECT_EQ("not pointing anywhere\n", text(ArmObject()));
}

TEST(PlayerObjectTest, NeckClampAndType) {
  PlayerObject p;
  p.setRelativeNeckAngle(120.0);
  EXPECT_EQ(90.0, double(p.getRelativeNeckAngle()));
  p.setRelativeNeckAngle(-95.0, 0.6);
  EXPECT_EQ(-90.0, double(p.getRelativeNeckAngle()));
  p.setRelativeNeckAngle(90.0);
  EXPECT_EQ(0.6, p.getNeckAngleConf()());
  p.setBodyAngle(170.0);
  p.setRelativeNeckAngle(30.0);
  EXPECT_EQ(-160.0, double(p.getNeckAngle()));

  // A type from the wire that the table does not hold falls back to type 0.
  for (int type : {5000, -1}) {
    p.setPlayerType(type, 1.0);
    EXPECT_EQ(0, p.getPlayerType()) << type;
  }
}

TEST(PlayerObjectTest, UpdateDecaysOnlyConfidencesWithoutTrustedVelocity) {
  PlayerObject p;
  p.setAbsPos(Vector2D(2.0, 3.0), 1.0);
  p.setAbsVel(Vector2D(1.0, 0.0), 0.4);  // below the threshold 0.5
  p.setDDistDDir(0.1, 0.2, 1.0);
  p.setBodyAngle(30.0, 1.0);
  p.update(Vector2D(0.5, 0.0));
  EXPECT_EQ(Vector2D(2.0, 3.0), p.getAbsPos());
  EXPECT_EQ(Vector2D(1.0, 0.0), p.getAbsVel());
  EXPECT_DOUBLE_EQ(0.97, p.getAbsPosConf()());
  EXPECT_DOUBLE_EQ(0.4 * 0.97, p.getAbsVelConf()());
  EXPECT_DOUBLE_EQ(0.97, p.getDDistDDirConf()());
  EXPECT_EQ(1.0, p.getBodyAngleConf()());

  p.setAbsPos(Vector2D(0.0, 0.0), 1.0);
  p.setAbsVel(Vector2D(1.0, 0.0), 1.0);
  p.update(Vector2D(0.5, 0.0));
  EXPECT_EQ(Vector2D(1.5, 0.0), p.getAbsPos());
  EXPECT_DOUBLE_EQ(0.6, p.getAbsVel()[0]);

  // The wind: none by default; its direction is read as radians.
  ServerParam* sp = ServerParam::instance();
  const double force = sp->winforce, dir = sp->windir;
  EXPECT_EQ(Vector2D(0.0, 0.0), p.windEffect(Vector2D(1.0, 0.0)));
  sp->winforce = 10.0;
  sp->windir = 90.0;
  const Vector2D w = p.windEffect(Vector2D(1.0, 0.0));
  EXPECT_NEAR(std::cos(90.0) / 60000.0, w[0], 1e-15);
  EXPECT_NEAR(std::sin(90.0) / 60000.0, w[1], 1e-15);
  sp->winforce = force;
  sp->windir = dir;
}

TEST(PlayerObjectTest, InvalidateKeepsIdentityAndEnergy) {
  PlayerObject p;
  p.setUnum(4);
  p.setGoalieP(PlayerObject::f);
  p.setStamina(3000.0, 1.0);
  p.setAbsPos(Vector2D(1.0, 1.0), 1.0);
  p.setAbsVel(Vector2D(1.0, 1.0), 1.0);
  p.setRelativeNeckAngle(10.0, 1.0);
  p.setTackleP(true);
  p.invalidate();
  EXPECT_EQ(0.0, p.getAbsPosConf()() + p.getAbsVelConf()() + p.getNeckAngleConf()());
  EXPECT_FALSE(p.isTackling());
  EXPECT_EQ(Vector2D(1.0, 1.0), p.getAbsPos());
  EXPECT_EQ(4u, p.getUnum());
  EXPECT_EQ(PlayerObject::f, p.getGoalieP());
  EXPECT_EQ(1.0, p.getStaminaConf()());
}

TEST(PlayerObjectTest, Visibility) {
  PlayerObject p;
  p.setAbsPos(Vector2D(10.0, 0.0));
  const vekbase::ViewWidth normal(vekbase::ViewWidth::S_normal);
  // Behind the player, whose head points towards +x.
  EXPECT_TRUE(p.pointVisible(Vector2D(10.0 - 2.99, 0.0), normal));
  EXPECT_FALSE(p.pointVisible(Vector2D(7.0, 0.0), normal));
  // Cone edge: a point straight along +x, the head at 45 and at 45.1.
  p.setBodyAngle(45.0);
  EXPECT_TRUE(p.pointVisible(Vector2D(20.0, 0.0), normal));
  p.setBodyAngle(45.1);
  EXPECT_FALSE(p.pointVisible(Vector2D(20.0, 0.0), normal));
  // The difference is not folded: -175 against a head at 170 is 345 away.
  p.setBodyAngle(170.0);
  EXPECT_FALSE(p.pointVisible(p.getAbsPos() + Vector2D(20.0, -175.0).cart(vekmath::DEG),
                              vekbase::ViewWidth(vekbase::ViewWidth::S_wide)));
}

} // namespace
