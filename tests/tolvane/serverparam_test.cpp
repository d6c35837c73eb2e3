#include "tolvane/serverparam.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "testutil/logcapture.h"
#include "tests/tolvane/paramtest_util.h"
#include "tolvane/playerparam.h"
#include "tolvane/playertypeparam.h"

using testutil::LogCapture;

TEST(ServerParamTest, DerivedValues) {
  ServerParam* sp = ServerParam::instance();
  sp->end();
  sp->begin();
  sp->setParameter("visible_angle", "270");
  EXPECT_EQ(-90.0, double(sp->visibleAngle()));
  sp->setParameter("effort_inc_thr", "0.75");
  EXPECT_EQ(0.75, static_cast<vekbase::BaseServerParam*>(sp)->effortIncThr());
  sp->setParameter("wind_force", "2");
  EXPECT_EQ(2.0, sp->baseWind()[0]);
  sp->setParameter("wind_dir", "3.141592653589793");  // radians, not degrees
  EXPECT_NEAR(-2.0, sp->baseWind()[0], 1e-12);
  sp->end();
  sp->begin();
}

TEST(ServerParamTest, LcmStep) {
  ServerParam* sp = ServerParam::instance();
  sp->end();
  sp->begin();
  EXPECT_EQ(300, sp->lcmStep());
  sp->setParameter("slow_down_factor", "2");
  EXPECT_EQ(600, sp->lcmStep());
  sp->setParameter("recv_step", "16");  // not slowed down: 1200, not 2400
  EXPECT_EQ(1200, sp->lcmStep());
  sp->setParameter("slow_down_factor", "1");

  // Steps that cannot take part are left out; no crash.
  sp->setParameter("send_step", "40");
  sp->sb_step = -100;
  sp->recv_st = 0;
  EXPECT_EQ(200, sp->lcmStep());
  sp->slow_down_factor = sp->sim_step = sp->send_step = sp->sv_st = 0;
  EXPECT_EQ(1, sp->lcmStep());
  sp->end();
  sp->begin();
}

// A step that would stop the main loop's waits or stall its notice of a
// silent server is refused, wherever it comes from; 10 ms and 10 s are taken.
TEST(ServerParamTest, StepsOutsideTenMillisecondsToTenSecondsAreRefused) {
  ServerParam* sp = ServerParam::instance();
  sp->begin();
  for (const char* key : {"sense_body_step", "simulator_step", "send_step", "recv_step",
                          "send_vi_step"}) {
    for (const char* bad : {"0", "-5", "0.5", "9", "10001", "1e9", "nan"})
      EXPECT_FALSE(sp->setParameter(key, bad)) << key << " " << bad;
    EXPECT_TRUE(sp->setParameter(key, "10000")) << key;
    EXPECT_TRUE(sp->setParameter(key, "10")) << key;
  }
  sp->end();
  sp->begin();
}

TEST(ServerParamTest, AnEndedStoreKeepsItsValuesAndReadsNoFile) {
  ServerParam* sp = ServerParam::instance();
  sp->begin();
  // As from the command line: set, then the front end ends the store.
  sp->setParameter("port", "6100");
  sp->end();
  EXPECT_EQ(6100, sp->portnum);

  LogCapture log({0, 1002});
  sp->getOptions("/nonexistent");
  EXPECT_EQ("ServerParam has to be started first\n", log.text());

  sp->begin();
}

// Each kind of parameter keeps its physical range, wherever the value comes
// from; a player type's key keeps the range of the server's key of the same
// name. Taken: both ends, what real servers send, old ones too (type decays
// up to 0.6, inertia moments up to 10), rcssserver 19's defaults of keys a
// version-8 player is not sent, and every value a store starts with.
// Refused: just beyond the ends.
TEST(ServerParamTest, PhysicalRanges) {
  ServerParam* sp = ServerParam::instance();
  PlayerParam* pp = PlayerParam::instance();
  PlayertypeParam* pt = PlayertypeParam::instance(1);
  sp->begin();
  pp->begin();
  pt->setCurrentType(0);
  const std::string belowOne = "0.9999999999999999", aboveOne = "1.0000000000000002";
  const struct {
    std::vector<std::string> keys, taken, refused;
  } rows[] = {
      {{"stamina_max"}, {"1e-300", "8000", "32767"}, {"0", "-1", "32767.5"}},
      {{"stamina_inc_max", "extra_stamina"}, {"0", "25", "100", "32767"}, {"-1e-300", "32768"}},
      {{"player_decay", "ball_decay"}, {"1e-300", "0.6", belowOne}, {"0", "1", "-0.5"}},
      {{"player_rand", "kick_rand", "recover_init", "recover_dec_thr", "effort_inc",
        "catch_probability"},
       {"0", "0.2", "1"},
       {"-1e-300", aboveOne}},
      {{"effort_init", "effort_min", "effort_max"}, {"1e-300", "0.4", "1"}, {"0", aboveOne}},
      {{"player_weight", "ball_weight", "quantize_step"}, {"1e-300", "1e308"}, {"0", "-1"}},
      {{"dash_power_rate", "kick_power_rate"}, {"1e-300", "0.0048", "1"}, {"0", aboveOne}},
      {{"player_size", "player_speed_max", "kickable_margin", "catchable_area_l"},
       {"1e-300", "0.9", "1.2", "1000"},
       {"0", "1000.001"}},
      {{"audio_cut_dist", "wind_force"}, {"0", "1000"}, {"-1e-300", "1000.001"}},
      {{"inertia_moment", "prand_factor_l"}, {"0", "10", "1e308"}, {"-1e-300"}},
      {{"maxpower"}, {"1e-300", "1000"}, {"0", "1000.001"}},
      {{"minpower"}, {"-1000", "-1e-300"}, {"0", "-1000.001"}},
      {{"maxmoment", "maxneckang"}, {"1e-300", "180"}, {"0", "180.001"}},
      {{"minmoment", "minneckang"}, {"-180", "-1e-300"}, {"0", "-180.001"}},
      {{"visible_angle"}, {"1e-300", "360"}, {"0", "360.001"}},
      {{"slow_down_factor", "player_types"}, {"1", "100"}, {"0", "101"}},
      {{"catch_ban_cycle", "subs_max"}, {"0"}, {"-1"}},
      {{"pen_dist_x", "pen_max_goalie_dist_x", "quantize_step_dir"}, {"42.5", "14", "-1"}, {}},
  };
  const std::set<std::string> shared = {"player_speed_max", "stamina_inc_max", "player_decay",
                                        "inertia_moment", "dash_power_rate", "player_size",
                                        "kickable_margin", "kick_rand", "effort_min"};
  for (const auto& row : rows)
    for (const std::string& key : row.keys) {
      int stores = 0;
      for (ParamReader* store : std::vector<ParamReader*>{sp, pp, pt}) {
        if (!store->knows(key)) continue;
        ++stores;
        for (const std::string& v : row.taken)
          EXPECT_TRUE(store->setParameter(key, v)) << key << " " << v;
        for (const std::string& v : row.refused)
          EXPECT_FALSE(store->setParameter(key, v)) << key << " " << v;
      }
      EXPECT_EQ(shared.count(key) ? 2 : 1, stores) << key;
    }

  sp->end();
  sp->begin();
  pt->setCurrentType(0);
  int values = 0;
  for (ParamReader* store : std::vector<ParamReader*>{sp, pp, pt}) {
    std::istringstream lines(paramtest::listing(*store));
    for (std::string line; std::getline(lines, line); ++values) {
      const std::size_t colon = line.find(": ");
      const std::string value = line.substr(colon + 2);
      // A flag lists as set or unset, which it does not read.
      if (value != "set" && value != "unset") {
        EXPECT_TRUE(store->setParameter(line.substr(0, colon), value)) << line;
      }
    }
  }
  EXPECT_GT(values, 150);
  sp->end();
  sp->begin();
  pp->end();
  pt->setCurrentType(0);
}
