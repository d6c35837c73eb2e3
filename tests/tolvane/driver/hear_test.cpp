#include <gtest/gtest.h>

#include <string>

#include "tests/tolvane/driver/driver_util.h"
#include "tolvane/playertypeparam.h"

namespace {

struct HearPlayer : TestPlayer {
  using VekPlayer::decodeOnlineCoach;
  using VekPlayer::uwms;
};

// Two base-62 characters per value: x, y as (v + 70) * 10, vx, vy as (v + 2) * 100.
std::string block(double x, double y, double vx, double vy) {
  std::string s;
  for (int v : {int((x + 70) * 10), int((y + 70) * 10), int((vx + 2) * 100), int((vy + 2) * 100)})
    s += {static_cast<char>(48 + v / 62), static_cast<char>(48 + v % 62)};
  return s;
}

std::string coach(const std::string& payload) {
  return "(hear 102 online_coach_left (freeform \"" + payload + "\"))";
}

} // namespace

TEST(Hear, SelfTeammateOpponentAndCoach) {
  HearPlayer p;
  p.parse("(init l 2 play_on)");
  LogCapture log({1215});
  EXPECT_EQ(VekPlayer::HearMsg, p.parse("(hear 15 self \"hello\")"));
  p.parse("(hear 102 coach x)");
  EXPECT_EQ(1, log.count("sender is me, ignoring message\n"));
  EXPECT_EQ(1, log.count("sender is an _OFF_line coach, ignoring message\n"));

  p.parse("(hear 102 -30 our 7 \"b 1020 3410\")");
  p.parse("(hear 103 45 opp \"x\")");
  const MsgObject& team = p.WMS.getTeamMsg();
  EXPECT_EQ("b 1020 3410", team.getMsgString());
  EXPECT_EQ(vekbase::Timer(102, 0), team.getReceiveTime());
  EXPECT_EQ(7u, team.getSenderUnum());
  EXPECT_EQ(-30.0, double(team.getSenderDirection()));
  EXPECT_EQ("x", p.WMS.getOpponentMsg().getMsgString());
  EXPECT_EQ(45.0, double(p.WMS.getOpponentMsg().getSenderDirection()));

  // Each fault drops the message.
  for (const char* fault : {"(hear 102 -30 our 7)", "(hear 102 -30 our 7 hello)",
                            "(hear 102 -30 opp \"hello)", "(hear 102 -30 our 12 \"hello\")"})
    p.parse(fault);
  EXPECT_EQ("b 1020 3410", team.getMsgString());
  EXPECT_EQ("x", p.WMS.getOpponentMsg().getMsgString());

  // The recorded session: (hear 3 179 our 1 "hello") comes back last but one.
  for (const std::string& line : recording("server-v8-session.txt"))
    if (line.compare(0, 5, "(hear") == 0) p.parse(line);
  EXPECT_EQ("hello", team.getMsgString());
  EXPECT_EQ(1u, team.getSenderUnum());
  EXPECT_EQ(179.0, double(team.getSenderDirection()));
  EXPECT_EQ(vekbase::Timer(10, 0), p.WMS.getOpponentMsg().getReceiveTime());
}

TEST(Hear, OnlineCoachPositions) {
  EXPECT_EQ(700.0, HearPlayer::decodeOnlineCoach(";B"));
  EXPECT_EQ(-70.0, HearPlayer::decodeOnlineCoach("00") / 10 - 70);
  EXPECT_EQ(-49.0, HearPlayer::decodeOnlineCoach("\xff")); // signed code -1

  PlayertypeParam::instance(1)->setNumTypes(8);
  HearPlayer p;
  p.parse("(init l 2 play_on)");
  std::string mates = "y/";
  for (int k = 1; k <= 11; ++k) mates += k == 3 ? "????????" : block(-k, k, 0.5, -0.25);
  std::string opps = "t/";
  for (int k = 1; k <= 11; ++k) opps += (k == 4 ? "x" : "2") + block(k, -k, 0.0, 1.0);
  p.uwms.getOwnPlayer(3).setAbsPos(Vector2D(1.0, 1.0));

  testing::internal::CaptureStdout();
  p.parse(coach(mates));
  p.parse(coach(opps));
  p.parse(coach("y/" + mates.substr(3)));
  p.parse(coach(mates + "0"));
  p.parse("(hear 102 online_coach_right (x))");
  testing::internal::GetCapturedStdout();

  // Fields in the payload's order: x, y, vx, vy; team-mate 3 sent no block.
  EXPECT_EQ(Vector2D(-1.0, 1.0), p.WM().getOwn(1).getAbsPos());
  EXPECT_EQ(Vector2D(0.5, -0.25), p.WM().getOwn(11).getAbsVel());
  EXPECT_EQ(Vector2D(1.0, 1.0), p.WM().getOwn(3).getAbsPos());
  EXPECT_EQ(2, p.WM().getOthers(1).getPlayerType());
  EXPECT_EQ(Vector2D(1.0, -1.0), p.WM().getOthers(1).getAbsPos());
  // A type that is no digit is not taken; the position is.
  EXPECT_EQ(0, p.WM().getOthers(4).getPlayerType());
  EXPECT_EQ(Vector2D(4.0, -4.0), p.WM().getOthers(4).getAbsPos());
}
