#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "testutil/text.h"
#include "tests/tolvane/driver/driver_util.h"
#include "tolvane/actuator.h"
#include "tolvane/clientparam.h"
#include "tolvane/playerparam.h"
#include "tolvane/playertypeparam.h"
#include "tolvane/serverparam.h"

namespace {

const std::string SENSE0 = senseBody(0);

typedef std::vector<std::pair<std::string, std::string>> Warnings;

// Each text, parsed on its own, logs its warning once.
void expectWarnings(TestPlayer& p, LogCapture& log, const Warnings& cases) {
  for (const auto& c : cases) {
    log.clear();
    p.parse(c.first);
    EXPECT_EQ(1, log.count(c.second)) << c.first << "\n" << log.text();
  }
}

} // namespace

TEST(Parser, NameTablesAndDispatch) {
  TestPlayer p;
  // Words the tables do not know read as value 0 and are not added: a
  // stream of them from the network would grow the tables.
  p.parse("(init x 4 play_on)");
  p.parse("(sense_body 1 (view_mode good vast))");
  p.parse("(fullstate 1 (vmode fine huge) ((b) 0 0 0 0) ((p y 3 1) 1 2 0 0 0 0 (stamina 1 1 1))))");
  p.parse("(see 1 ((f z z) 1 2) ((l z) 1 2))");
  EXPECT_TRUE(p.WMF.getViewQuality().isLow() && p.WMF.getViewWidth().isNarrow());
  EXPECT_EQ(u, p.WMF.getOwn(3).getTeam());
  EXPECT_EQ((std::vector<std::size_t>{2, 3, 2, 55, 4}),
            (std::vector<std::size_t>{p.view_quality.size(), p.view_width.size(), p.side.size(),
                                      p.flag_id.size(), p.line_id.size()}));
  // While the own side is undetermined, the own team counts as r.
  ClientParam::instance()->my_team_name = "Blue";
  p.parse("(see 1 ((p \"Blue\" 5) 1 2) ((p \"Red\" 6) 1 2))");
  EXPECT_EQ(r, p.WMS.getUnknown().at(0).getTeam());
  EXPECT_EQ(l, p.WMS.getUnknown().at(1).getTeam());

  LogCapture log({1215});
  EXPECT_EQ(VekPlayer::ThinkMsg, p.parse("(think)"));
  EXPECT_EQ(VekPlayer::ScoreMsg, p.parse("(score 3000 1 2)"));
  EXPECT_EQ(0, p.WMS.getMyScore());
  p.parseScore("(score 3000 1 2)");
  EXPECT_EQ(1, p.WMS.getMyScore());
  EXPECT_EQ(2, p.WMS.getTheirScore());
  // Texts too short for the positions the dispatcher looks at.
  for (const char* text : {"", "(", "(p", "(player_", "(s", "(se", "(sense_body", "(sense_body "})
    EXPECT_EQ(VekPlayer::xOtherMsg, p.parse(text)) << text;
  expectWarnings(p, log,
                 {{"(error unknown_command)",
                   "unknown message received from server: (error unknown_command)\n"},
                  {"(splat)", "unknown message received from server (splat)\n"},
                  {"(init)", "blank expected in server message: (init)\n"},
                  {"(sense_body ", "sense_body message too short: (sense_body \n"}});
}

TEST(Parser, InitAndReconnect) {
  TestPlayer p;
  EXPECT_EQ(VekPlayer::xOtherMsg, p.parse("(init r 10 play_on)"));
  EXPECT_TRUE(p.WMS.getMyNumber() == 10 && p.WMS.getMySide() == r &&
              p.WMS.getPlayMode() == PlayMode::Play_On);

  ClientParam::instance()->reconnect_unum = 5;
  p.parse("(reconnect r play_on)");
  EXPECT_EQ(5u, p.WMS.getMyNumber());
  ClientParam::instance()->reconnect_unum = 0;

  // Shirt numbers outside 1..11 and sides other than l and r are refused,
  // not taken over.
  for (const char* bad : {"(init l 0 play_on)", "(init l 12 play_on)", "(init x 4 play_on)",
                          "(reconnect", "(init l"})
    p.parse(bad);
  EXPECT_TRUE(p.WMS.getMyNumber() == 5 && p.WMS.getMySide() == r);
}

// Numbers no server sends are refused where they are parsed: the object or
// parameter they belong to is dropped with a log line, the rest is read.
TEST(Parser, AbsurdNumbersAreRefused) {
  TestPlayer p;
  ClientParam::instance()->my_team_name = "Blue";
  p.parse("(init l 2 before_kick_off)");
  LogCapture log({1215, 1002});
  const std::string refusal = "with a number that is not finite or beyond any field: ";
  // Below a double's range too, and a ninth word though no kind reads it.
  for (const char* ball : {"nan 0", "-inf 0", "1e308 0", "1001 0", "1e999 0", "10 nan",
                           "10 1e7", "10 0 inf 0", "10 0 0 nan", "10 1e-999",
                           "1 2 3 4 5 6 7 8 nan"}) {
    log.clear();
    p.parse(SENSE0);
    p.parse(std::string("(see 3 ((b) ") + ball + ") ((p \"Red\" 4) 1e308 0) ((f c) 10 0))");
    EXPECT_TRUE(SightPeek::committed(p.WMS) && p.WMS.getFlags().size() == 1 &&
                !p.WMS.getBall().getDirConf().valid())
        << ball;
    EXPECT_EQ(2, log.count("refused a sighting " + refusal)) << ball << log.text();
  }
  // The farthest a server could see is taken. A lone direction is no
  // distance; a number ends where its word goes on.
  p.parse(SENSE0);
  p.parse("(see 3 ((b) 1000 -180 -999 1e6) ((p) 1001x))");
  EXPECT_EQ(1000.0, p.WMS.getBall().getDist());
  EXPECT_EQ(1u, p.WMS.getUnknown().size());

  log.clear();
  p.parse("(sense_body 4 (stamina nan 1) (speed 1e308 0) (head_angle inf) "
          "(arm (movable 0) (expires 5) (target nan 0) (count 0)))");
  for (const char* what : {"the stamina", "the speed", "the head angle", "the arm's target"})
    EXPECT_EQ(1, log.count(std::string("refused ") + what + " " + refusal)) << what;
  log.clear();
  p.parse("(sense_body 5 (stamina 1e6 1) (speed 1000 -1e6) (head_angle 1e6))");
  EXPECT_EQ(1000.0, p.WMS.getMySpeed());
  EXPECT_EQ(1e6, p.WMS.getMe()->getStamina());
  p.parse("(sense_body 6 (speed 1000.5 0))");
  EXPECT_EQ(1, log.count("refused ")) << log.text();

  p.parse("(fullstate 5 ((b) 1 2 0 0) ((p l 2 0) 3 4 0 0 0 0 (stamina 8000 1 1))))");
  p.parse("(fullstate 6 ((b) 1e308 2 0 0) ((p l 2 0) 5 6 0 0 nan 0 (stamina 8000 1 1)) "
          "((p l 3 0) 5 -inf 0 0 0 0 (stamina 8000 1 1)) "
          "((p l 4 0) 1000 -1000 0 0 1e6 -1e6 (stamina 1e6 1 1)) "
          "((p l 5 0) 7 8 0 0 0 0 (stamina 8000 1 1e-999)) "
          "((p l 6 0) 7 8 0 1000.5 0 0 (stamina 8000 1 1))))");
  EXPECT_EQ(Vector2D(1, 2), p.WMF.getBall().getAbsPos());
  EXPECT_EQ(Vector2D(3, 4), p.WMF.getOwn(2).getAbsPos());
  EXPECT_NE(5.0, p.WMF.getOwn(3).getAbsPos()[0]);
  EXPECT_EQ(Vector2D(1000, -1000), p.WMF.getOwn(4).getAbsPos());
  for (int u : {5, 6}) EXPECT_NE(7.0, p.WMF.getOwn(u).getAbsPos()[0]) << u;
  p.parse("(fullstate 7 ((b) 1 1000.5 0 0)))");
  EXPECT_EQ(Vector2D(1, 2), p.WMF.getBall().getAbsPos());

  // Parameters outside their physical range keep the value they had (a
  // message first returns every key to its default); divisors stay above
  // 0: weights, power rates, decays, 1 - decay, 1 + inertia moment x speed.
  ServerParam* sp = ServerParam::instance();
  PlayertypeParam* pt = PlayertypeParam::instance(1);
  p.parse("(server_param (ball_decay 1e308)(ball_rand -0.1)(player_size 0)(ball_speed_max 1001)"
          "(kickable_margin nan)(goal_width 20)(sense_body_step 0)(ball_decay 1)"
          "(ball_weight 0)(player_weight 0)(dash_power_rate 0)(kick_power_rate 0)"
          "(stamina_max -1)(player_decay 1)(maxpower 0))");
  p.parse("(player_type (id 0)(player_decay 1.5)(kick_rand 1)(player_speed_max -1)"
          "(player_decay 0)(player_decay 1)(inertia_moment 0)(inertia_moment -1)"
          "(dash_power_rate 0)(effort_max 1.5))");
  EXPECT_EQ((std::vector<double>{100, 0.94, 0.2, 0.3, 2.7, 0.7, 20, 0.4, 1, 1, 0.2, 60, 0.006,
                                 0.027, 0, 4000, 0.4, 100, 0.006, 1}),
            (std::vector<double>{double(sp->sb_step), sp->bdecay, sp->brand, sp->psize,
                                 sp->bspeed_max, sp->kmargin, sp->gwidth, pt->TP[0].player_decay,
                                 pt->TP[0].kick_rand, pt->TP[0].player_speed_max, sp->bweight,
                                 sp->pweight, sp->dprate, sp->kprate, pt->TP[0].inertia_moment,
                                 sp->stamina_max, sp->pdecay, sp->maxp,
                                 pt->TP[0].dash_power_rate, pt->TP[0].effort_max}));
}

// A cycle leaping over 10 ahead or falling back is refused and logged; a
// timeline going on from it is followed, a lone one is not. Before the first
// sense_body any cycle is taken, below 0 none.
TEST(Parser, CycleNumbersOffTheTimelineAreRefused) {
  TestPlayer p;
  vekbase::Timer::reset();
  LogCapture log({1220});
  const VekPlayer::SenseType refused = VekPlayer::xOtherMsg, sense = VekPlayer::SenseMsg;
  const struct {
    std::string msg;
    VekPlayer::SenseType type;
    int after;  // the current cycle
  } rows[] = {{"(hear 3000 referee play_on)", VekPlayer::HearMsg, 0},
              {senseBody(2000), sense, 2000},  // a match joined late
              {senseBody(6000), refused, 2000}, {senseBody(2001), sense, 2001},
              {senseBody(2012), refused, 2001}, {"(see 2012 ((b) 1 0))", VekPlayer::SeeMsg, 2001},
              {senseBody(2013), sense, 2013},   {senseBody(2023), sense, 2023},
              {senseBody(2043), refused, 2023}, {"(see 2023 ((b) 1 0))", VekPlayer::SeeMsg, 2023},
              {senseBody(2024), sense, 2024},
              {senseBody(5), refused, 2024},    {"(see 4 ((b) 1 0))", refused, 2024},
              {senseBody(6), sense, 6},         {senseBody(-1), refused, 6},
              {senseBody(-1), refused, 6},      {senseBody(INT_MAX), refused, 6},
              {senseBody(INT_MAX), sense, INT_MAX}};
  for (const auto& row : rows) {
    EXPECT_EQ(row.type, p.parse(row.msg)) << row.msg;
    EXPECT_EQ(row.after, vekbase::Timer::currentTime().serverTime()) << row.msg;
  }
  EXPECT_EQ(8, log.count("refused a message with a cycle number far from the current cycle "));
  EXPECT_TRUE(log.has("far from the current cycle 2000: " + senseBody(6000) + "\n"));
}

TEST(Parser, ParameterMessages) {
  TestPlayer p;
  LogCapture log({1215});
  ServerParam* sp = ServerParam::instance();
  PlayertypeParam* pt = PlayertypeParam::instance(1);

  // A parameter message first returns every key to its default.
  sp->portnum = 7000;
  p.parse("(server_param (goal_width 14.5)(inertia_moment 4.0))");
  EXPECT_EQ(14.5, sp->gwidth);
  EXPECT_EQ(4.0, sp->inertia_moment);
  EXPECT_EQ(6000, sp->portnum);

  p.parse("(player_param (player_types 7))");
  EXPECT_EQ(8, pt->numTypes());
  p.parse("(player_param (player_types 3))");
  EXPECT_EQ(4, pt->numTypes());
  // A count the table cannot hold is refused, as any value out of range:
  // the default stands.
  LogCapture refusals({1002});
  p.parse("(player_param (player_types 0)(player_types 101))");
  EXPECT_EQ(2, refusals.count("Can't set value (")) << refusals.text();
  EXPECT_EQ(8, pt->numTypes());

  // Pairs written back to back: none after the id is skipped.
  p.parse("(player_param (player_types 7))");
  log.clear();
  p.parse("(player_type (id 2)(player_speed_max 1.25) (stamina_inc_max 40.5))");
  EXPECT_EQ(1.25, pt->TP[2].player_speed_max);
  EXPECT_EQ(40.5, pt->TP[2].stamina_inc_max);
  EXPECT_EQ(0.4, pt->TP[2].player_decay);
  EXPECT_EQ(0, log.count(" setting wc player"));
  expectWarnings(
      p, log,
      {{"(player_type (id 6)(player_speed_max 1.5))", " setting wc player\n"},
       {"(player_type (id 8)(player_speed_max 1.75))",
        "player type out of range in player_type message: "},
       {"(player_type (id -1)(player_speed_max 1.75))",
        "player type out of range in player_type message: "},
       {"(player_type (speed 1))",
        "'id' keyword expected in player_type message (player_type (speed 1))"},
       {"(player_type (id 2", "')' expected in player_type message (player_type (id 2\n"}});
  EXPECT_EQ(1.5, pt->TP[6].player_speed_max);
  EXPECT_EQ(1.25, pt->TP[2].player_speed_max);

  // The real server's messages: keys of a newer server are reported and
  // skipped, the rest is set.
  LogCapture keys({1002});
  for (const char* file : {"server-v8-fullstate.txt", "server-v8-session.txt"})
    for (const std::string& m : recording(file))
      if (m.compare(0, 7, "(server") == 0 || m.compare(0, 7, "(player") == 0) p.parse(m);
  EXPECT_EQ(2 * (16 + 4), keys.count("Unknown parameter ("));
  EXPECT_FALSE(keys.has("Can't set value")) << keys.text();
  EXPECT_TRUE(sp->useoffside);  // "1"
  EXPECT_EQ("\"./\"", sp->text_log_dir);
  EXPECT_EQ((std::vector<double>{1.2, 18, -0.1, 19, 1.05, 7.39477, 0.58624}),
            (std::vector<double>{sp->catch_area_l, double(PlayerParam::instance()->player_types),
                                 PlayerParam::instance()->kickableMarginDeltaMin(),
                                 double(pt->numTypes()), pt->TP[0].player_speed_max,
                                 pt->TP[1].inertia_moment, pt->effortMin(17)}));
  // The last record becomes the field-wise maximum; the others stay.
  pt->generateWorstCasePlayer();
  EXPECT_EQ(51.3944, pt->staminaIncMax(18));  // type 14
  EXPECT_EQ(0.499849, pt->playerDecay(18));   // type 4
  EXPECT_EQ(0.6, pt->effortMin(18));          // type 0
  EXPECT_EQ(1.05, pt->playerSpeedMax(0));

  // change_player_type writes the team-mate's type into the model.
  p.parse("(init l 2 before_kick_off)");
  p.parse("(change_player_type 4 2)");
  p.parse("(change_player_type 4)");
  expectWarnings(p, log,
                 {{"(change_player_type 12 1)",
                   "shirt number out of range in change_player_type message: "},
                  {"(change_player_type 4 19)",
                   "player type out of range in change_player_type message: "}});
  EXPECT_EQ(2, p.WM().getOwn(4).getPlayerType());
}

TEST(Parser, SenseBody) {
  TestPlayer p;
  LogCapture log({1215});
  vekbase::Timer::updateTime(99);
  // The clock stops while the server time stands still.
  for (int i = 0; i < 3; ++i) EXPECT_EQ(VekPlayer::SenseMsg, p.parse(SENSE0));
  EXPECT_EQ(vekbase::Timer(0, 2), vekbase::Timer::currentTime());

  // Blocks in another order give the same values.
  p.parse("(sense_body 7 (arm (movable 5) (expires 20) (target 12.5 -30) (count 12)) "
          "(tackle (expires 5) (count 3)) (change_view 0) (head_angle -85) (speed 0.5 270) "
          "(stamina 3500.5 0.75) (view_mode low narrow) (kick 0) (dash 0) (turn 0) (say 0) "
          "(turn_neck 0) (catch 0) (move 0))");
  EXPECT_EQ(7, p.step);
  EXPECT_TRUE(p.WMS.getViewQuality().isLow() && p.WMS.getViewWidth().isNarrow());
  EXPECT_EQ((std::vector<double>{3500.5, 0.75, 0.5, -90, -85}),
            (std::vector<double>{p.WMS.getMe()->getStamina(), p.WMS.getMe()->getEffort(),
                                 p.WMS.getMySpeed(), double(p.WMS.getMySpeedDir()),
                                 double(p.WMS.getMe()->getRelativeNeckAngle())}));
  EXPECT_EQ("pointing to (12.5, -30) for 20 more cycles.\narm immobile for 5 cycles.\n",
            testutil::text(p.WMS.getArm()));
  EXPECT_EQ("", log.text());

  p.parse("(sense_body 8 (view_mode good wide) (speed 0.25))");
  EXPECT_TRUE(p.WMS.getViewQuality().isLow() && p.WMS.getViewWidth().isWide());
  // A block with too few values is not read.
  EXPECT_EQ(0.5, p.WMS.getMySpeed());
  EXPECT_EQ(1, log.count("stamina keyword expected in sense_body or fullstate message\n"));
  EXPECT_EQ(1, log.count("tackle param not found in sense_body msg\n"));
  EXPECT_EQ(1, log.count("arm keyword expected in sense_body message: (sense_body 8"));

  // A block without its ")" gives no words of the block after it.
  p.parse("(sense_body 9 (stamina 3000 (speed 0.25 90) (view_mode high wide))");
  EXPECT_EQ(0.75, p.WMS.getMe()->getEffort());
  EXPECT_EQ(0.25, p.WMS.getMySpeed());

  // The arm and the tackle take no value of the blocks around them.
  p.parse("(sense_body 10 (arm (movable 5) (target 1 2) (count 0)) "
          "(tackle (expires 7) (count 0)))");
  EXPECT_EQ(0, ArmObject(p.WMS.getArm()).getPointDuration());
  EXPECT_EQ(0, log.count("tackle expires param not found"));

  // A block without its count takes no command as lost.
  static NullLink link;
  Actuator* act = Actuator::instance(&link);
  vekbase::Timer::updateTime(11);
  for (const SoccerCommand& c :
       {SoccerCommand(SoccerCommand::CMD_POINTTO, 10.0, vekbase::AngleDeg(0.0)),
        SoccerCommand(SoccerCommand::CMD_TACKLE, 50.0)}) {
    act->clearQueue();
    act->queueUp(c);
    act->sendActions();
  }
  act->clearQueue();
  int c[11];
  act->getCounts(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8], c[9], c[10]);
  const std::string tackles = std::to_string(c[10]);
  LogCapture lost({1040});
  p.parse("(sense_body 12 (arm (movable 0) (expires 0) (target 0 0)) "
          "(focus (target none) (count 0)) (tackle (expires 0) (count " + tackles + ")))");
  p.parse("(sense_body 13 (arm (movable 0) (expires 0) (target 0 0) (count " +
          std::to_string(c[8]) + ")) (focus (target none) (count 0)) (tackle (count " + tackles +
          ")))");
  EXPECT_EQ("", lost.text());
  EXPECT_EQ(1, log.count("tackle expires param not found in sense_body msg\n"));

  // The keyword reader keeps (turn 7) and (turn_neck 2) apart.
  std::vector<std::string> v;
  p.parseString = "(sense_body 5 (turn_neck 2) (turn 7))";
  p.p1 = 12;
  ASSERT_EQ(1, p.parseParam(v, "turn"));
  EXPECT_EQ("7", v[0]);
  ASSERT_EQ(1, p.parseParam(v, "turn_neck"));
  EXPECT_EQ("2", v[0]);
  EXPECT_EQ(0, p.parseParam(v, "dash"));
}

TEST(Parser, SeeRecordedAndCrafted) {
  TestPlayer p;
  LogCapture log({1215});
  ClientParam::instance()->my_team_name = "Blue";
  p.parse("(init l 2 before_kick_off)");

  const std::vector<std::string> rec = recording("server-v8-session.txt");
  std::string big;
  for (const std::string& m : rec)
    if (m.compare(0, 4, "(see") == 0 && m.size() > big.size()) big = m;
  ASSERT_EQ(0u, big.find("(see 2 ((f c) 0.7 0 -0.126 0.1)"));
  EXPECT_EQ(VekPlayer::SeeMsg, p.parse(big));
  EXPECT_EQ(2, p.step);
  EXPECT_TRUE(SightPeek::committed(p.WMS));
  EXPECT_EQ(20u, p.WMS.getFlags().size());
  EXPECT_EQ(FlagObject::Flag_C, p.WMS.getFlags()[0].getId());
  EXPECT_EQ(3.0, p.WMS.getBall().getDist());
  EXPECT_EQ(11.0, p.WMS.getOthers().at(0).getDist());
  EXPECT_EQ("", log.text());

  // The sights of cycle 20, the recorded one among them; the clock gets
  // there in steps it takes.
  const std::string SENSE20 = senseBody(20);
  p.parse(senseBody(10));
  p.parse(SENSE20);
  p.parse("(see 20 ((b) 5.5) ((p \"Blue\" 3 goalie) 10 20 0 0 45 10) "
          "((p \"blue\" 4) 12 -30 0.1 0.2 -45 -5 t) ((p \"Blue\") 8 15 t) ((p \"Red\") 9 -15 60) "
          "((p) 30) ((P) 1.5 170) ((B) 1 170) ((F) 2 30) ((p \"Red\" 12) 1 2 0 0 0 0) "
          "((p \"Red\" 0) 3 4) ((f z z) 1 2) ((l b) 20 -80))");
  EXPECT_TRUE(SightPeek::committed(p.WMS));
  ASSERT_EQ(2u, p.WMS.getOwn().size());
  EXPECT_EQ(3u, p.WMS.ourGoalieNum());
  ASSERT_EQ(1u, p.WMS.getOthers().size());  // team names are case-sensitive
  EXPECT_EQ(4u, p.WMS.getOthers()[0].getUnum());
  EXPECT_TRUE(p.WMS.getOthers()[0].isTackling());
  const std::vector<PlayerObject>& unk = p.WMS.getUnknown();
  ASSERT_EQ(6u, unk.size());
  EXPECT_TRUE(unk[0].getTeam() == l && unk[0].isTackling());
  EXPECT_TRUE(unk[1].getTeam() == r && !unk[1].isTackling());
  EXPECT_EQ(60.0, double(unk[1].getPointDir()));
  EXPECT_EQ(u, unk[2].getTeam());
  EXPECT_EQ(1.5, unk[3].getDist());
  // Shirt numbers no shirt carries: kept as unidentified players.
  EXPECT_TRUE(unk[4].getTeam() == r && unk[4].getUnum() == 0u);
  EXPECT_TRUE(unk[4].getBodyAngleConf().valid());
  EXPECT_EQ(3.0, unk[5].getDist());
  EXPECT_EQ(1.0, p.WMS.getBall().getDist());
  EXPECT_EQ(170.0, double(p.WMS.getBall().getDir()));
  EXPECT_EQ(0u, p.WMS.getFlags().size());
  EXPECT_EQ(LineObject::Line_B, p.WMS.getLines()[0].getId());

  // Low view quality: directions only, distances unknown. The real server's
  // sight, then the objects near the agent outside its view cone in that form.
  auto bearingsOnly = [&](double ball, double player) {
    EXPECT_TRUE(SightPeek::committed(p.WMS));
    EXPECT_EQ(ball, double(p.WMS.getBall().getDir()));
    EXPECT_FALSE(p.WMS.getBall().getDistConf().valid());
    ASSERT_EQ(1u, unk.size());
    EXPECT_EQ(player, double(unk[0].getDir()));
    EXPECT_FALSE(unk[0].getDistConf().valid());
  };
  const std::string low = firstOf(rec, "(see 20 ");
  ASSERT_NE(std::string::npos, low.find("((b) -35) ((p) -37) ((p \"Red\" 2) -9) ((l r) 66))"));
  p.parse(SENSE20);
  p.parse(low);
  bearingsOnly(-35.0, -37.0);
  EXPECT_EQ(26u, p.WMS.getFlags().size());
  ASSERT_EQ(1u, p.WMS.getOthers().size());
  EXPECT_EQ(-9.0, double(p.WMS.getOthers()[0].getDir()));
  p.parse(SENSE20);
  p.parse("(see 21 ((f c b) 74) ((B) -20) ((P) 180) ((F) 30) ((G) -45))");
  bearingsOnly(-20.0, 180.0);

  // A fault drops the rest and commits nothing; earlier flags stay.
  p.parse(SENSE20);
  p.parse("(see 21 ((f c) 10 0) ((b) 1 2 3) ((f l t) 4 5))");
  EXPECT_FALSE(SightPeek::committed(p.WMS));
  EXPECT_EQ(1u, p.WMS.getFlags().size());
  for (const char* bad :
       {"(see 22 ((p \"Red\" 2 goalie x) 1 2))", "(see 22 ((p \"Red\" 2) 1 2 3 4 5))",
        "(see 22 ((p \"Red\") 1 2 0 0 0 0))", "(see 22 ((P)))", "(see 22 ((B) ))",
        "(see 22 ((g l)))", "(see 22 ((l r) 1 2 3 4 5))", "(see 22 (() 1 2))",
        "(see 22 ((b) 1 2)", "(see 22 ((f c) 1 2", "(see 22 ((F) 1 2", "(see 22 ((b"}) {
    p.parse(SENSE20);
    p.parse(bad);
    EXPECT_FALSE(SightPeek::committed(p.WMS)) << bad;
  }

  // No blank after the time: ignored silently.
  log.clear();
  p.parse("(see 22)");
  EXPECT_FALSE(SightPeek::committed(p.WMS));
  EXPECT_EQ("", log.text());
  // An entry of a flag near the agent ends a message.
  p.parse("(see 23 ((f c) 1 2) ((F) 1 2))");
  EXPECT_TRUE(SightPeek::committed(p.WMS));
}

// Every cut of the real messages is parsed without reading past its end.
TEST(Parser, TruncatedRecordedMessages) {
  TestPlayer p;
  ClientParam::instance()->my_team_name = "Blue";
  p.parse("(init l 2 before_kick_off)");
  const std::vector<std::string> rec = recording("server-v8-session.txt");
  for (const char* head : {"(sense_body", "(see", "(player_type", "(change_player_type", "(init",
                           "(hear 3 179 our", "(hear 7 -25 opp", "(hear 0 referee"}) {
    const std::string m = firstOf(rec, head);
    ASSERT_FALSE(m.empty()) << head;
    for (std::size_t n = 0; n <= m.size(); ++n) p.parse(m.substr(0, n));
  }
  for (const std::string& m : rec) p.parse(m);
}
