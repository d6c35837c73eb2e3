#include "tolvane/soccercommand.h"

#include <gtest/gtest.h>

#include "testutil/commadecimal.h"

using vekbase::AngleDeg;
using vekbase::ViewQuality;
using vekbase::ViewWidth;
typedef SoccerCommand SC;

TEST(SoccerCommand, TextsAndSlots) {
  // The decimal point is '.' whatever the global locale.
  const testutil::CommaDecimal comma;
  const struct {
    SoccerCommand cmd;
    const char* text;
    int slot;
  } cases[] = {
      {SC(SC::CMD_DASH, 100), "(dash 100.00)", 0},
      {SC(SC::CMD_DASH, 100.0 / 3), "(dash 33.33)", 0},
      {SC(SC::CMD_KICK, 50, AngleDeg(190)), "(kick 50.00 -170.00)", 0},
      {SC(SC::CMD_MOVE, -10, 5.25), "(move -10.00 5.25)", 0},
      {SC(SC::CMD_TURN, AngleDeg(-45.5)), "(turn -45.50)", 0},
      {SC(SC::CMD_BYE), "(bye)", 0},
      {SC(SC::CMD_ATTENTIONTO, 7u, l), "(attentionto l 7)", 1},
      {SC(SC::CMD_ATTENTIONTO, std::string("off")), "(attentionto off)", 1},
      {SC(SC::CMD_CHANGEVIEW, ViewWidth(ViewWidth::S_narrow), ViewQuality(ViewQuality::S_low)),
       "(change_view narrow low)", 2},
      {SC(SC::CMD_POINTTO, 12.5, AngleDeg(-30)), "(pointto 12.50 -30.00)", 3},
      {SC(SC::CMD_TURNNECK, AngleDeg(30)), "(turn_neck 30.00)", 4},
      {SC(SC::CMD_SCORE), "(score)", 5},
      {SC(SC::CMD_SENSEBODY), "(sense_body)", 5},
      {SC(SC::CMD_SAY, std::string("abc")), "(say abc)", 6},
      {SC(SC::CMD_SAY, std::string()), "(say )", 6},
      {SC(SC::CMD_DONE), "(done)", 7},
      {SC(SC::CMD_NONE), "", 8},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.text, c.cmd.str());
    EXPECT_EQ(c.slot, c.cmd.type()) << c.text;
    EXPECT_EQ(c.slot != 8, c.cmd.valid()) << c.text;
  }
}

TEST(SoccerCommand, SetAgainAndValidity) {
  vekbase::Timer::updateTime(41);
  SoccerCommand cmd(SC::CMD_DASH, 100);
  cmd.set(SC::CMD_TURN, AngleDeg(30));
  EXPECT_EQ("(turn 30.00)", cmd.str());
  EXPECT_TRUE(cmd.valid());
  vekbase::Timer::updateTime(41); // the clock stands still: a new sub-step
  EXPECT_FALSE(cmd.valid());
  cmd.setTime(vekbase::Timer::currentTime());
  EXPECT_TRUE(cmd.valid());
}
