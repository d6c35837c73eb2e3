#include "interface-swi/converters.h"

#include <gtest/gtest.h>

#include <string>

#include "interface-swi/client.h"
#include "prologengine.h"

namespace {

::testing::Environment* const engine = ::testing::AddGlobalTestEnvironment(new PrologEngine);

// Converts the term the text reads as; err gets what went to standard error.
template <typename Convert>
bool convert(const std::string& text, Convert f, std::string& err) {
  fid_t frame = PL_open_foreign_frame();
  term_t t = term(text);
  ::testing::internal::CaptureStderr();
  const bool ok = f(t);
  err = ::testing::internal::GetCapturedStderr();
  PL_discard_foreign_frame(frame);
  return ok;
}

} // namespace

TEST(Converters, SidesMarkersAndFormationTypes) {
  std::string err;
  char side = '?';
  auto getSide = [&side](term_t t) { return PL_get_side(t, &side); };
  EXPECT_TRUE(convert("right", getSide, err));
  EXPECT_EQ(side, 'r');
  for (const char* bad : {"x", "3", "''"}) {
    EXPECT_FALSE(convert(bad, getSide, err)) << bad;
    EXPECT_EQ(side, ' ') << bad;
  }

  FlagObject::FlagId id = FlagObject::Flag_C;
  auto marker = [&id](term_t t) { return PL_get_marker(t, &id); };
  EXPECT_TRUE(convert("goal_r", marker, err));
  EXPECT_EQ(id, FlagObject::Flag_GR);
  EXPECT_FALSE(convert("'Goal_l'", marker, err));
  EXPECT_EQ(id, FlagObject::No_Flag);

  using F = Formations::FormationParam;
  F::FormationT type = F::SETUP;
  auto formation = [&type](term_t t) { return PL_get_formation_type(t, &type); };
  EXPECT_TRUE(convert("attacking", formation, err));
  EXPECT_EQ(type, F::ATTACKING);
  EXPECT_TRUE(convert("defensive", formation, err));
  EXPECT_EQ(type, F::DEFENSIVE);
  EXPECT_FALSE(convert("offensive", formation, err));
  EXPECT_EQ(type, F::NONE);
  EXPECT_EQ(err, "");
}

TEST(Converters, ViewWidthBySecondLetterQualityByFirst) {
  std::string err;
  vekbase::ViewWidth w(vekbase::ViewWidth::S_wide);
  auto width = [&w](term_t t) { return PL_get_viewwidth(t, w); };
  EXPECT_TRUE(convert("normal", width, err));
  EXPECT_TRUE(w.isNormal());
  EXPECT_TRUE(convert("narrow", width, err));
  EXPECT_TRUE(w.isNarrow());
  for (const char* bad : {"axe", "a", "''"}) {
    EXPECT_FALSE(convert(bad, width, err)) << bad;
    EXPECT_EQ(err, "PL_get_viewwidth/2 : got an illegal view width !\n") << bad;
  }
  EXPECT_FALSE(convert("2", width, err));
  EXPECT_EQ(err, "PL_get_viewwidth/2 : can\xC2\xB4t get string\n");

  vekbase::ViewQuality q(vekbase::ViewQuality::S_high);
  auto quality = [&q](term_t t) { return PL_get_viewquality(t, q); };
  EXPECT_TRUE(convert("low", quality, err));
  EXPECT_TRUE(q.isLow());
  EXPECT_FALSE(convert("5", quality, err));
  EXPECT_EQ(err, "PL_get_viewquality/2 : can\xC2\xB4t get string\n");
  EXPECT_FALSE(convert("medium", quality, err));
  EXPECT_EQ(err, "PL_get_viewquality/2 : got an illegal view quality !\n");
}

TEST(Converters, VectorsAndPlayersWarnAboutTheArgument) {
  client = nullptr;
  fid_t frame = PL_open_foreign_frame();
  Vector2D v(1.0, 1.0);
  PlayerObject player;
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(PL_get_vector2D(term("3"), term("foo"), v));
  EXPECT_EQ(v, Vector2D(1.0, 1.0));
  EXPECT_FALSE(PL_get_player(term("x"), term("3"), player));
  EXPECT_FALSE(PL_get_player(term("l"), term("3.0"), player));
  EXPECT_FALSE(PL_get_player(term("l"), term("12"), player));
  EXPECT_FALSE(warn_flag("my_pred/2", 1));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "ERROR: PL_get_vector2D/3: float expected for argument 2\n"
            "ERROR: PL_get_player/3: atom 'l' or 'r' expected for argument 1\n"
            "ERROR: PL_get_player/3: integer expected for argument 2\n"
            "PL_get_player/3 : couldn\xC2\xB4t get player with unum 12\n"
            "ERROR: my_pred/2: bool expected for argument 1\n");
  EXPECT_TRUE(PL_get_vector2D(term("3"), term("-1.5"), v));
  EXPECT_EQ(v, Vector2D(3.0, -1.5));
  PL_discard_foreign_frame(frame);
}

TEST(NameTables, WordsOfCommandsAndPlayModes) {
  EXPECT_EQ(SoccerCommandMap.size(), 15u);
  EXPECT_EQ(SoccerCommandMap.count(SoccerCommand::CMD_DONE), 0u);
  EXPECT_EQ(PlayModeMap.size(), 25u);
  EXPECT_EQ(PlayModeMap[PlayMode::Their_Free_Kick_Fault], "their_free_kick_fault");
  // Later modes have no name; asking enters an empty one.
  EXPECT_EQ(PlayModeMap[PlayMode::Penalty_Draw], "");
  EXPECT_EQ(PlayModeMap.size(), 26u);
}
