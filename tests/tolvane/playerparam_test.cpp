#include "tolvane/playerparam.h"

#include <gtest/gtest.h>

#include "paramtest_util.h"
#include "testutil/logcapture.h"
#include "tolvane/playertypeparam.h"

typedef PlayertypeParam::TypeParam TypeParam;

namespace {

bool allZero(const TypeParam& r) {
  return r.player_speed_max == 0 && r.stamina_inc_max == 0 && r.player_decay == 0 &&
         r.inertia_moment == 0 && r.dash_power_rate == 0 && r.player_size == 0 &&
         r.kickable_margin == 0 && r.kick_rand == 0 && r.extra_stamina == 0 &&
         r.effort_max == 0 && r.effort_min == 0;
}

// Applies a player_type message as the player driver does.
void applyPlayerType(PlayertypeParam* pt, const std::string& msg) {
  auto pairs = paramtest::messagePairs(msg);
  ASSERT_EQ("id", pairs.at(0).first);
  pt->setCurrentType(std::stoi(pairs[0].second));
  pt->begin();
  for (std::size_t i = 1; i < pairs.size(); ++i) pt->setParameter(pairs[i].first, pairs[i].second);
  pt->end();
}

// Record 0 at the defaults and record 1 all zero, whatever ran before.
PlayertypeParam* resetTable() {
  PlayertypeParam* pt = PlayertypeParam::instance(1);
  pt->setNumTypes(2);
  pt->TP[1] = TypeParam();
  pt->setCurrentType(0);
  return pt;
}

} // namespace

// Runs first: both stores as the process finds them.
TEST(PlayerParamTest, FreshStores) {
  const std::vector<std::string> rows = paramtest::listing(*PlayerParam::instance());
  ASSERT_EQ(19u, rows.size());
  EXPECT_EQ("player_types: 7", rows[0]);
  EXPECT_EQ("dash_power_rate_delta_max: 0.002", rows[10]);
  EXPECT_EQ("effort_min_delta_factor: -0.002", rows[18]);

  PlayertypeParam* pt = PlayertypeParam::instance(1);
  EXPECT_EQ(pt, PlayertypeParam::instance(5));
  EXPECT_EQ(1, pt->numTypes());
  EXPECT_EQ(0, pt->currentType());
  pt->generateWorstCasePlayer();  // one record: nothing to do
  const std::vector<std::string> types = paramtest::listing(*pt);
  ASSERT_EQ(11u, types.size());
  EXPECT_EQ("player_speed_max: 1", types[0]);
  EXPECT_EQ("dash_power_rate: 0.006", types[4]);
  EXPECT_EQ("effort_min: 0.6", types[10]);
}

TEST(PlayerParamTest, TypeTableResizeAndCurrentType) {
  PlayertypeParam* pt = resetTable();
  pt->setParameter("player_decay", "0.45");
  pt->setNumTypes(8);
  ASSERT_EQ(8, pt->numTypes());
  EXPECT_EQ(0.45, pt->TP[0].player_decay);
  for (int t = 1; t < 8; ++t) EXPECT_TRUE(allZero(pt->TP[t])) << t;
  // The options still point at record 0 after the table moved.
  pt->setParameter("player_decay", "0.35");
  EXPECT_EQ(0.35, pt->playerDecay(0));

  pt->setCurrentType(3);
  EXPECT_EQ(0.4, pt->TP[3].player_decay);
  pt->setParameter("player_decay", "0.5");
  EXPECT_EQ(0.5, pt->playerDecay(3));
  EXPECT_EQ(0.35, pt->playerDecay(0));
  EXPECT_TRUE(allZero(pt->TP[2]));

  // Shrinking below the current type moves the binding to record 0 without touching it.
  pt->setNumTypes(3);
  EXPECT_EQ(0, pt->currentType());
  EXPECT_EQ(0.35, pt->playerDecay(0));
  pt->setParameter("player_size", "0.4");
  EXPECT_EQ(0.4, pt->playerSize(0));
  pt->end();
}

TEST(PlayerParamTest, NetworkValuesStayInsideTheTable) {
  PlayertypeParam* pt = resetTable();
  pt->setNumTypes(4);
  pt->setCurrentType(1);
  pt->setParameter("player_decay", "0.3");
  pt->end();
  testutil::LogCapture log({1002});
  for (int n : {1, -5, 102}) pt->setNumTypes(n);
  EXPECT_EQ(4, pt->numTypes());
  EXPECT_EQ("PlayertypeParam: 0 player types refused, keeping 3\n"
            "PlayertypeParam: -6 player types refused, keeping 3\n"
            "PlayertypeParam: 101 player types refused, keeping 3\n",
            log.text());

  // A type outside the table: its values land nowhere.
  log.clear();
  applyPlayerType(pt, "(player_type (id 4)(player_decay 0.9)(effort_max 0.7))");
  applyPlayerType(pt, "(player_type (id -1)(player_decay 0.9))");
  EXPECT_EQ("PlayertypeParam: player type (4) outside the table of 4 types, ignored\n"
            "PlayertypeParam: player type (-1) outside the table of 4 types, ignored\n",
            log.text());
  EXPECT_EQ(0.3, pt->playerDecay(1));
  EXPECT_EQ(0.4, pt->playerDecay(0));
  EXPECT_TRUE(allZero(pt->TP[2]) && allZero(pt->TP[3]));

  // A read outside the table reads type 0.
  log.clear();
  EXPECT_EQ(0.4, pt->playerDecay(9));
  EXPECT_EQ("PlayertypeParam: no player type (9), reading type 0\n", log.text());
  EXPECT_EQ(45.0, static_cast<vekbase::BasePlayertypeParam*>(pt)->staminaIncMax(-1));
}

TEST(PlayerParamTest, WorstCasePlayer) {
  PlayertypeParam* pt = resetTable();
  pt->setNumTypes(3);
  pt->TP[1].player_decay = 0.5;
  pt->TP[2].player_decay = 0.45;
  pt->TP[2].effort_min = 0.7;
  pt->generateWorstCasePlayer();
  EXPECT_EQ(0.5, pt->TP[2].player_decay);
  EXPECT_EQ(0.7, pt->TP[2].effort_min);
  EXPECT_EQ(45.0, pt->TP[2].stamina_inc_max);
  EXPECT_EQ(0.4, pt->TP[0].player_decay);
  pt->end();
}

TEST(PlayerParamTest, RecordedPlayerMessages) {
  PlayerParam* pp = PlayerParam::instance();
  pp->end();
  testutil::LogCapture log({0, 1002});
  pp->getOptions("/nonexistent");  // ended: silent
  const std::vector<std::string> param = paramtest::sessionMessages("player_param");
  ASSERT_EQ(1u, param.size());
  paramtest::applyMessage(*pp, param[0]);
  EXPECT_EQ(0u, log.text().find("Unknown parameter (new_dash_power_rate_delta_max)\n"));
  EXPECT_EQ(std::string::npos, log.text().find("Can't set value"));
  EXPECT_EQ(18, pp->playerTypes());
  EXPECT_EQ(-0.1, pp->kickableMarginDeltaMin());
  EXPECT_EQ(0.0, pp->staminaIncMaxDeltaFactor());

  PlayertypeParam* pt = resetTable();
  pt->setNumTypes(pp->playerTypes() + 1);
  const std::vector<std::string> types = paramtest::sessionMessages("player_type");
  ASSERT_EQ(18u, types.size());
  log.clear();
  for (const std::string& m : types) applyPlayerType(pt, m);
  EXPECT_EQ("", log.text());
  EXPECT_EQ(1.05, pt->playerSpeedMax(0));
  EXPECT_EQ(0.00546523, pt->dashPowerRate(1));
  EXPECT_EQ(0.58624, pt->effortMin(17));
  EXPECT_TRUE(allZero(pt->TP[18]));
  pt->generateWorstCasePlayer();
  EXPECT_EQ(51.3944, pt->staminaIncMax(18));  // type 14
  EXPECT_EQ(0.499849, pt->playerDecay(18));   // type 4
}
