// The agent program vastel, run by the engine with the real foreign
// predicates against constructed worlds; and the built program deciding
// against a fake server.

#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "predharness.h"
#include "program.h"
#include "testutil/recording.h"
#include "tolvane/actuator.h"
#include "tolvane/formations/formationparam.h"

namespace {

using Formations::FormationParam;

class VastelTest : public predtest::PredicateTest {
protected:
  VastelTest() {
    static const bool loaded = prove("consult('" TOLVANE_VASTEL_DIR "/vastel.pl')");
    EXPECT_TRUE(loaded);
    playMode(PlayMode::Play_On);
    prove("retractall(set_piece_taker(_))");
    Actuator::instance()->clearQueue();
  }
  ~VastelTest() override { FormationParam::instance()->setFormationType(FormationParam::DEFAULT); }

  // What one decision cycle queues, as the message to the server.
  std::string decide() {
    Actuator::instance()->clearQueue();
    EXPECT_NE("fail", solve("behave_midfielder")) << err;
    return Actuator::instance()->actionString();
  }

  // What the goal queues on its own.
  std::string queued(const std::string& goal) {
    Actuator::instance()->clearQueue();
    EXPECT_NE("fail", solve(goal)) << goal << ": " << err;
    return Actuator::instance()->actionString();
  }

  // A team-mate's say message heard in cycle `when`.
  void heard(const std::string& text, int when) {
    world.getTeamMsg().setMsgString(text);
    world.getTeamMsg().setReceiveTime(vekbase::Timer(when, 0));
  }

  // The agent's strategic position in the current formation.
  Vector2D strategic() {
    return Vector2D(number("strategic_position(0, X, Y)", 2),
                    number("strategic_position(0, X, Y)", 3));
  }
};

} // namespace

TEST_F(VastelTest, BeforeKickOffThePlayerTakesItsSetUpPosition) {
  playMode(PlayMode::Before_Kick_Off);
  FormationParam::instance()->setFormationType(FormationParam::DEFAULT);
  solve("set_formation_type(setup)");
  const Vector2D home = strategic();
  me(home + Vector2D(3.0, 0.0));
  EXPECT_EQ(SoccerCommand(SoccerCommand::CMD_MOVE, home[0], home[1]).str(), decide());
  EXPECT_EQ("formation_type(setup)", solve("formation_type(T)")) << "set up in the same cycle";

  // Within 2 m: face the centre spot, neck along the body.
  me(home + Vector2D(1.5, 0.0)).body(0.0).neck(30.0);
  const std::string turn = decide();
  EXPECT_EQ(0u, turn.find("(turn ")) << turn;
  EXPECT_NE(std::string::npos, turn.find("(turn_neck -30.00)")) << turn;

  playMode(PlayMode::Their_Kick_Off);
  EXPECT_EQ("", decide());
}

TEST_F(VastelTest, WithoutASeenBallAHeardOneIsFacedOnlyWhileFresh) {
  cycle(100);
  me({0, 0}).body(0.0);
  heard("bX 10Y 10Z", 98);
  EXPECT_EQ("(turn 45.00)", decide().substr(0, 12));
  heard("bX 10Y 10Z", 97);
  const std::string search = decide();
  EXPECT_EQ(0u, search.find("(turn ")) << search;
  EXPECT_EQ(std::string::npos, search.find("(turn 45.00)")) << search;
}

TEST_F(VastelTest, AHeardPassIsRunToForFiveCycles) {
  cycle(100);
  me({0, 0}).body(0.0);
  ball({-20, 30});
  teammate(9, {-20, 29});  // faster to the ball than the agent
  heard("p7 10Y  0", 95);
  EXPECT_EQ("(dash 100.00)", decide().substr(0, 13));
  heard("p7 10Y  0", 94);
  EXPECT_EQ(std::string::npos, decide().find("(dash 100.00)"));
}

TEST_F(VastelTest, LowStaminaDashesAtAPowerThatFollowsIt) {
  me({0, 0}).body(0.0).stamina(1500.0);
  ball({20, 0});  // the offside line, far beyond the target
  EXPECT_EQ("dash_or_watch_ball(10,0)", solve("dash_or_watch_ball(10, 0)"));
  EXPECT_EQ("(dash 18.75)", Actuator::instance()->actionString().substr(0, 12));
  // Beyond the offside line less 3 m the target is held back to it.
  Actuator::instance()->clearQueue();
  me().stamina(4000.0);
  ball({5, 0});
  solve("dash_or_watch_ball(10, 0)");
  EXPECT_EQ("(dash 100.00)", Actuator::instance()->actionString().substr(0, 13));
}

TEST_F(VastelTest, PassSearch) {
  me({0, 0});
  ball({0.5, 0});
  // Nobody to pass to: the agent keeps the ball, and no direct pass is made.
  EXPECT_NE("fail", solve("pass_partner(2, 7, [7], (_-7)-[])"));
  EXPECT_EQ("fail", solve("do_pass"));
  EXPECT_EQ("", Actuator::instance()->actionString());

  // Two equally placed receivers: the lower shirt number first, whatever
  // the order of the candidates.
  ball({30, 0});
  teammate(9, {10, 5});
  teammate(4, {10, -5});
  EXPECT_NE("fail", solve("pass_partner(0, 7, [7, 9, 4], (_-4)-[4])"));
  EXPECT_NE("fail", solve("pass_partner(2, 7, [7, 9, 4], (_-4)-_)"));
}

TEST_F(VastelTest, ReceiverValuesAndPassDecay) {
  teammate(9, {37.5, 0});
  teammate(8, {36.5, 0});
  EXPECT_EQ(-295.0, number("player_preference(l, 9, P)", 3));  // within 16 m: 20 lower
  EXPECT_EQ(-273.0, number("player_preference(l, 8, P)", 3));

  teammate(2, {-40, 0});
  teammate(6, {0, 0});
  teammate(5, {-20, 0});
  EXPECT_EQ(0.97, number("pass_decay(2, 6, F)", 3));
  EXPECT_EQ(0.5, number("pass_decay(6, 2, F)", 3));   // across the area's front edge
  EXPECT_EQ(0.97, number("pass_decay(6, 5, F)", 3));  // its line crosses, it does not
  EXPECT_EQ(1.0, number("pass_decay(6, 6, F)", 3));
  playMode(PlayMode::My_Goal_Kick);
  EXPECT_EQ(0.0, number("pass_decay(2, 6, F)", 3));
}

TEST_F(VastelTest, Geometry) {
  EXPECT_EQ("sgn(0,1)", solve("sgn(0, S)"));
  EXPECT_EQ("sgn(-2.5,-1.0)", solve("sgn(-2.5, S)"));
  // A ray of no length makes no angle; rounding past 1 reaches no acos.
  EXPECT_EQ(0.0, number("angle_between_rays(0, 0, 1, 0, A)", 5));
  EXPECT_EQ(0.0, number("angle_between_rays(0.1, 0.5, 0.3, 1.5, A)", 5));
  EXPECT_NEAR(90.0, number("angle_from_three_points(1, 1, 2, 1, 1, 5, A)", 7), 1e-3);
}

TEST_F(VastelTest, AtOurSetPieceTheBallIsPlayedWithOneTouch) {
  // In play every scene is a free wing dribble towards (52.5, 15).
  struct Scene {
    Vector2D me;
    bool mate;
    const char* goal;
  };
  const Scene scenes[] = {{{10, 5}, false, "do_kick_away"},
                          {{10, 5}, true, "do_pass"},
                          {{-20, 5}, false, "clear"}};
  const std::string dribble = "dribble_to_position(2, 52.5, 15.0, 100, 1, B), queue_up(B)";
  opponent(1, {50, 0});  // their last two keep the team-mate onside
  opponent(2, {40, -20});
  for (const Scene& scene : scenes) {
    me(scene.me).body(0.0);
    ball(scene.me + Vector2D(0.5, 0.0));
    if (scene.mate) teammate(9, scene.me + Vector2D(10.0, 3.0));
    for (PlayMode::PlayModeType mode :
         {PlayMode::My_Kick_Off, PlayMode::My_Free_Kick, PlayMode::My_Kick_In,
          PlayMode::My_Corner_Kick, PlayMode::Their_Offside, PlayMode::Their_Back_Pass,
          PlayMode::Their_Free_Kick_Fault}) {
      playMode(mode);
      const std::string once = queued(scene.goal);
      EXPECT_EQ(once, decide()) << scene.goal << " in mode " << mode;
    }
    prove("retractall(set_piece_taker(_))");
    playMode(PlayMode::Play_On);
    const std::string body = queued(dribble);
    EXPECT_EQ(body, decide().substr(0, body.size())) << scene.goal;
    playMode(PlayMode::My_Goal_Kick);  // only a shot, which this place does not promise
    EXPECT_EQ(std::string::npos, decide().find("(kick ")) << scene.goal;
    world.own[9] = PlayerObject();
  }
}

TEST_F(VastelTest, TheTakerOfOurSetPieceWaitsForAnotherTouch) {
  me({10, 5}).body(0.0);
  ball({10.5, 5});
  playMode(PlayMode::My_Free_Kick);
  EXPECT_EQ(0u, decide().find("(kick ")) << "taken";
  // A short kick left the ball at the feet: the taker neither kicks it
  // again nor goes for it.
  playMode(PlayMode::Play_On);
  EXPECT_EQ(std::string::npos, decide().find("(kick "));
  ball({12, 5}).vel({0.3, 0.0});
  trace.clear();
  decide();
  EXPECT_FALSE(trace.has("VekActions::intercept(")) << trace.text();
  // A team-mate farther from the ball goes for it in the taker's place.
  EXPECT_EQ("fail", solve("goes_for_ball(9)"));
  teammate(9, {18, 5});
  EXPECT_EQ("goes_for_ball(9)", solve("goes_for_ball(9)"));
  EXPECT_EQ("fail", solve("goes_for_ball(7)"));
  // Once it had the ball within its reach, the taker plays on.
  teammate(9, {12.8, 5});
  ball({12, 5});
  decide();
  teammate(9, {18, 5});
  trace.clear();
  decide();
  EXPECT_TRUE(trace.has("VekActions::intercept(")) << trace.text();
  EXPECT_EQ("fail", solve("goes_for_ball(9)"));

  // So does an opponent's reach; any other stop of play ends the wait too.
  ball({10.5, 5});
  teammate(9, {30, 5});
  for (bool opponentTouch : {true, false}) {
    playMode(PlayMode::My_Kick_In);
    decide();
    playMode(PlayMode::Play_On);
    EXPECT_EQ(std::string::npos, decide().find("(kick "));
    if (!opponentTouch) break;
    opponent(5, {11, 5.5});
    decide();
    world.others[5] = PlayerObject();
    EXPECT_EQ(0u, decide().find("(kick "));
  }
  playMode(PlayMode::Their_Kick_In);
  decide();
  playMode(PlayMode::Play_On);
  EXPECT_EQ(0u, decide().find("(kick "));
}

namespace {

// The built program as player 2 of the left team against a fake server,
// which shows it in every cycle the recorded body sense and sight of that
// player, in play, with the ball moved to where the test puts it.
class Match {
public:
  Match()
      : program(TOLVANE_EXECUTABLE, {"--host", "127.0.0.1", "--port", std::to_string(server.port)},
                dir) {
    for (const std::string& line : testutil::recording("server-v8-session.txt")) {
      if (senseBody.empty() && line.rfind("(sense_body 2 ", 0) == 0) senseBody = line;
      if (see.empty() && line.rfind("(see 2 ", 0) == 0) see = line;
    }
    EXPECT_EQ("(init Tolvane (version 8.04))", server.receive());
    server.reply("(init l 2 before_kick_off)");
    EXPECT_EQ("(clang (ver 8 8))", server.receive());
  }

  // What the player sends in cycle t with the ball at the distance and
  // direction given ("6.7 -19", as a sight writes them).
  std::string cycle(int t, const std::string& ball) {
    const std::regex time(" 2 "), seenBall(R"(\(\(b\) [^)]*\))");
    server.reply(std::regex_replace(senseBody, time, " " + std::to_string(t) + " ",
                                    std::regex_constants::format_first_only));
    if (t == 1) server.reply("(hear 1 referee play_on)");
    server.reply(std::regex_replace(std::regex_replace(see, time, " " + std::to_string(t) + " ",
                                                       std::regex_constants::format_first_only),
                                    seenBall, "((b) " + ball + ")"));
    return server.receive(500);
  }

private:
  programtest::FakeServer server;
  testutil::TempDir dir;
  programtest::Program program;
  std::string senseBody, see;
};

} // namespace

TEST(VastelMatch, APlayerKicksTheBallAtItsFeetAndGoesForOneFarAway) {
  Match near;
  // The first two cycles tune the view.
  for (int t = 1; t <= 2; ++t) near.cycle(t, "0.6 0");
  for (int t = 3; t <= 5; ++t) {
    const std::string sent = near.cycle(t, "0.6 0");
    EXPECT_EQ(0u, sent.find("(kick ")) << t << ": " << sent;
  }
  Match far;
  for (int t = 1; t <= 2; ++t) far.cycle(t, "20 10");
  for (int t = 3; t <= 5; ++t) {
    const std::string sent = far.cycle(t, "20 10");
    EXPECT_TRUE(sent.rfind("(dash ", 0) == 0 || sent.rfind("(turn ", 0) == 0) << t << ": " << sent;
  }
}
