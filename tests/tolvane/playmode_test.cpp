#include "tolvane/playmode.h"

#include <gtest/gtest.h>

#include <sstream>

typedef PlayMode PM;

namespace {

std::string print(PM::PlayModeType m) {
  PM pm;
  pm.set(m);
  std::ostringstream os;
  os << pm;
  return os.str();
}

PM::PlayModeType modeOf(const std::string& word) {
  PM pm;
  pm.set(PM::No_Mode);
  pm.set(word);
  return pm();
}

} // namespace

// Runs first: the word table is process-wide and still empty here.
TEST(PlayMode, BeforeTheSideIsKnown) {
  PM pm;
  EXPECT_EQ(PM::Before_Kick_Off, pm());
  pm.set("play_on");
  EXPECT_EQ(PM::Before_Kick_Off, pm());
  EXPECT_EQ("ILLEGAL PLAY MODE", print(PM::No_Mode)); // not added to the table

  PM::setSide(u);
  EXPECT_EQ("ILLEGAL PLAY MODE", print(PM::Play_On));

  PM::setSide(l);
  pm.set("play_on");
  EXPECT_EQ(PM::Play_On, pm());
  pm.set("pause");
  EXPECT_EQ(PM::Play_On, pm());
}

TEST(PlayMode, WordsForBothSides) {
  PM::setSide(l);
  EXPECT_EQ(PM::My_Kick_Off, modeOf("kick_off_l"));
  EXPECT_EQ(PM::Their_Kick_Off, modeOf("kick_off_r"));
  EXPECT_EQ(PM::My_Free_Kick, modeOf("indirect_free_kick_l"));
  EXPECT_EQ("free_kick_l", print(PM::My_Free_Kick));
  EXPECT_EQ(PM::Penalty_Onfield, modeOf("penalty_onfield_r"));
  EXPECT_EQ("penalty_onfield_l", print(PM::Penalty_Onfield));
  EXPECT_EQ("ILLEGAL PLAY MODE", print(PM::My_Indirect_Free_Kick));

  PM::setSide(r);
  EXPECT_EQ(PM::My_Kick_Off, modeOf("kick_off_r"));
  EXPECT_EQ(PM::Their_Kick_Off, modeOf("kick_off_l"));
  EXPECT_EQ(PM::Their_Free_Kick, modeOf("indirect_free_kick_l"));
  EXPECT_EQ("free_kick_r", print(PM::My_Free_Kick));

  // Every mode but No_Mode and the two indirect free kicks has a word that
  // maps back to it, on either side.
  for (Side side : {l, r}) {
    PM::setSide(side);
    for (int m = PM::Before_Kick_Off; m <= PM::Penalty_Draw; ++m) {
      PM::PlayModeType mode = static_cast<PM::PlayModeType>(m);
      if (mode == PM::My_Indirect_Free_Kick || mode == PM::Their_Indirect_Free_Kick) continue;
      EXPECT_EQ(mode, modeOf(print(mode))) << m;
    }
  }
  PM::setSide(l);
}
