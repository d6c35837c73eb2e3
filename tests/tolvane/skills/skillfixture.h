#ifndef TESTS_TOLVANE_SKILLS_SKILLFIXTURE_H
#define TESTS_TOLVANE_SKILLS_SKILLFIXTURE_H

// A constructed world for the tests of the skills and of the Prolog skill
// predicates. A test derives from SkillTest (TEST_F) and sets up only what
// its case needs; the rest is an empty field in cycle 1, a sight this cycle,
// normal/high view, and the agent as number 7 of the left team at (0, 0),
// facing +x at rest with full stamina:
//
//   TEST_F(SkillTest, Example) {
//     me({-10, 0}).body(90).neck(30).vel({0.2, 0});  // the agent
//     ball({0, 0}).vel({1, 0}, 0.9);   // seen dist and dir follow from me()
//     opponent(9, {-5, 3}).body(180);
//     teammate(4, {-20, 5});
//     cycle(120);
//     sight(false);                    // no see message this cycle
//     param(CP->when_to_turn, 20.0);   // any double parameter; restored after
//     EXPECT_EQ("(turn 90.00)", agent.turnBodyToPoint({0, 10}, 1).str());
//     EXPECT_TRUE(trace.has("want to turn "));
//   }
//
// Set the agent before the ball: ball() and at() derive the ball's seen
// distance and direction (relative to the head) from the agent, unless
// seen() gives them. A confidence argument of 0 makes a value unknown.
// `agent` is the VekActions under test, `world` its model, `trace` the lines
// of the skill zones 1200 to 1210. Every test starts with the skills' memory
// (scan steps, search side) forgotten and must leave the log's indent level
// as it found it.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "testutil/logcapture.h"
#include "tolvane/actuator.h"
#include "tolvane/clientparam.h"
#include "tolvane/playertypeparam.h"
#include "tolvane/serverparam.h"
#include "tolvane/updateablewmstate.h"
#include "tolvane/vekactions.h"

// The private parts of the skill layer that the tests reach.
struct VekActionsTestAccess {
  static bool willDashBeCollision(VekActions& a, double power, double buffer) {
    return a.willDashBeCollision(power, buffer);
  }
  static bool willKickBeCollision(VekActions& a, double power, double dir, double buffer) {
    return a.willKickBeCollision(power, vekbase::AngleDeg(dir), buffer);
  }
  static Value numOpponentsInWay(VekActions& a, double w, double h, double ang) {
    return a.numOpponentsInWay(w, h, ang);
  }
  static double avoidEnemyAngle(VekActions& a) { return double(a.avoidEnemyAngle()); }
  static Vector2D markingPosition(VekActions& a, const PlayerObject& po, double dist,
                                  VekActions::MarkT mark) {
    return a.getMarkingPosition(po, dist, mark);
  }
  static Vector2D outerPosition(VekActions& a, Vector2D pos, double ang, double margin,
                                double withPenalty) {
    return a.getOuterPositionInField(pos, vekbase::AngleDeg(ang), margin, withPenalty);
  }
};

namespace skilltest {

// The model with the fields a test sets opened up.
struct World : UpdateableWMState {
  using WMState::ball;
  using WMState::myUnum;
  using WMState::mySide;
  using WMState::myViewQuality;
  using WMState::myViewWidth;
  using WMState::mySpeed;
  using WMState::others;
  using WMState::own;
  using WMState::playMode;
  using WMState::sightInCurrentCycle;
  using WMState::unknown;
};

// The skill layer over a World; its protected parts opened up.
struct Agent : VekActions {
  using VekActions::resetSkillMemory;
  using VekActions::seenThisCycle;
  UpdateableWMState& WM() override { return world; }
  const UpdateableWMState& WM() const override { return world; }
  bool seenThisCycle() const override { return seen; }

  World world;
  bool seen = true;
};

// Chained setters of one ball or player of the world.
template <class Obj> class Placed {
public:
  Placed(Obj& o, const PlayerObject& me) : obj(o), me(me) {}
  Placed& at(Vector2D pos, double conf = 1.0) {
    obj.setAbsPos(pos, conf);
    const Vector2D d = pos - me.getAbsPos();
    return seen(d.length(), double(vekbase::AngleDeg(d.dir(vekmath::DEG)) - me.getNeckAngle()));
  }
  Placed& vel(Vector2D v, double conf = 1.0) {
    obj.setAbsVel(v, conf);
    return *this;
  }
  // Distance and direction relative to the head of the last sight.
  Placed& seen(double dist, double dir) {
    obj.setDist(dist, 1.0);
    obj.setDir(vekbase::AngleDeg(dir), 1.0);
    return *this;
  }
  Placed& body(double deg) {
    obj.setBodyAngle(vekbase::AngleDeg(deg), 1.0);
    return *this;
  }
  // Relative to the body; kept within the server's neck range.
  Placed& neck(double deg) {
    obj.setRelativeNeckAngle(vekbase::AngleDeg(deg), 1.0);
    return *this;
  }
  Placed& stamina(double s) {
    obj.setStamina(s, 1.0);
    return *this;
  }
  Placed& effort(double e) {
    obj.setEffort(e, 1.0);
    return *this;
  }
  Placed& type(int t) {
    obj.setPlayerType(t, 1.0);
    return *this;
  }
  Placed& goalie() {
    obj.setGoalieP(PlayerObject::t);
    return *this;
  }
  Obj& object() { return obj; }

private:
  Obj& obj;
  const PlayerObject& me;
};

class SkillTest : public ::testing::Test {
protected:
  SkillTest() {
    Agent::resetSkillMemory();
    cycle(1);
    world.myUnum = 7;
    world.mySide = l;
    world.unknown.clear();
    placePlayer(world.own[7], 7, l, Vector2D(0.0, 0.0));
    me().body(0.0).neck(0.0);
  }
  void TearDown() override {
    for (auto it = saved.rbegin(); it != saved.rend(); ++it) *it->first = it->second;
    Actuator* act = Actuator::instance();
    act->sendPendingChangeView();
    act->setCurrentViewMode(vekbase::ViewQuality::S_high, vekbase::ViewWidth::S_normal);
    act->clearQueue();
    EXPECT_EQ(indent, vomar::Forwarder::instance(8192)->indentLevel());
  }

  Placed<PlayerObject> me() { return {*world.getMe(), *world.getMe()}; }
  Placed<PlayerObject> me(Vector2D pos) { return me().at(pos).seen(0.0, 0.0); }
  // At rest with a known position and velocity.
  Placed<BallObject> ball(Vector2D pos) {
    Placed<BallObject> b(world.ball, *world.getMe());
    b.at(pos).vel(Vector2D(0.0, 0.0));
    return b;
  }
  // Shirt number n, 1 to 11.
  Placed<PlayerObject> teammate(Unum n, Vector2D pos) {
    return placePlayer(world.own.at(n), n, world.mySide, pos);
  }
  Placed<PlayerObject> opponent(Unum n, Vector2D pos) {
    return placePlayer(world.others.at(n), n, r, pos);
  }
  // A player seen without a shirt number, of side s (u: team unknown).
  Placed<PlayerObject> unidentified(Vector2D pos, Side s = u) {
    world.unknown.emplace_back();
    return placePlayer(world.unknown.back(), 0, s, pos);
  }

  // The point r m away in direction deg.
  static Vector2D polar(double r, double deg) { return Vector2D(r, deg).cart(vekmath::DEG); }
  // Makes c the current cycle (sub-step 0).
  void cycle(int c) {
    vekbase::Timer::reset();
    if (c != 0) vekbase::Timer::updateTime(c);
  }
  // Whether a see message arrived in this cycle.
  void sight(bool seen) { agent.seen = world.sightInCurrentCycle = seen; }
  void view(vekbase::ViewWidth::Width w, vekbase::ViewQuality::Quality q) {
    world.myViewWidth = w;
    world.myViewQuality = q;
  }
  void playMode(PlayMode::PlayModeType m) { world.playMode.set(m); }
  // A change_view to (w, q) held back in the Actuator, as after a decision
  // that asked for it.
  void pendingChangeView(vekbase::ViewWidth::Width w, vekbase::ViewQuality::Quality q) {
    Actuator* act = Actuator::instance();
    act->setCurrentViewMode(vekbase::ViewQuality::S_low, vekbase::ViewWidth::S_narrow);
    act->clearQueue();
    act->queueUp(SoccerCommand(SoccerCommand::CMD_CHANGEVIEW, vekbase::ViewWidth(w),
                               vekbase::ViewQuality(q)));
    act->sendActions();
  }
  // Sets a parameter for this test only.
  void param(double& field, double value) {
    saved.emplace_back(&field, field);
    field = value;
  }

  Agent agent;
  World& world = agent.world;
  ServerParam* SP = ServerParam::instance();
  ClientParam* CP = ClientParam::instance();
  PlayertypeParam* PT = PlayertypeParam::instance(1);
  testutil::LogCapture trace{testutil::ZoneRange{1200, 1210}};

private:
  Placed<PlayerObject> placePlayer(PlayerObject& p, Unum n, Side s, Vector2D pos) {
    p.setUnum(n);
    p.setTeam(s);
    Placed<PlayerObject> setup(p, *world.getMe());
    setup.at(pos).vel(Vector2D(0.0, 0.0));
    p.setBodyAngle(p.getBodyAngle(), 1.0);
    p.setRelativeNeckAngle(p.getRelativeNeckAngle(), 1.0);
    return setup;
  }

  const unsigned char indent = vomar::Forwarder::instance(8192)->indentLevel();
  std::vector<std::pair<double*, double>> saved;
};

} // namespace skilltest

#endif
