#include "tolvane/serverparam.h"

#include <gtest/gtest.h>

#include "paramtest_util.h"
#include "testutil/logcapture.h"

using testutil::LogCapture;

// Runs first: the store as the process finds it.
TEST(ServerParamTest, FreshListing) {
  ServerParam* sp = ServerParam::instance();
  const std::vector<std::string> rows = paramtest::listing(*sp);
  ASSERT_EQ(147u, rows.size());
  EXPECT_EQ("goal_width: 14.02", rows[0]);
  EXPECT_EQ("team_actuator_noise: off", rows[20]);
  EXPECT_EQ("dash_power_rate: 0.006", rows[31]);
  EXPECT_EQ("wind_dir: 0", rows[39]);
  EXPECT_EQ("wind_dir: 0", rows[65]);
  EXPECT_EQ("wind_none: unset", rows[69]);
  EXPECT_EQ("use_offside: on", rows[98]);
  EXPECT_EQ("log_file: ", rows[101]);
  EXPECT_EQ("offside_kick_margin: 9.15", rows[110]);
  EXPECT_EQ("pen_random_winner: unset", rows[146]);
  EXPECT_EQ(300, sp->lcmStep());
}

TEST(ServerParamTest, KeysReachMembers) {
  ServerParam* sp = ServerParam::instance();
  LogCapture log({1002});
  sp->begin();
  sp->setParameter("wind_dir", "45");
  EXPECT_EQ(45.0, sp->windir);
  sp->setParameter("kickable_area", "1.085");
  EXPECT_EQ("Unknown parameter (kickable_area)\n", log.text());
  sp->setParameter("visible_angle", "270");
  EXPECT_EQ(-90.0, double(sp->visibleAngle()));

  sp->setParameter("wind_force", "2");
  sp->setParameter("wind_dir", "0");
  EXPECT_EQ(2.0, sp->baseWind()[0]);
  sp->setParameter("wind_dir", "3.141592653589793");  // radians, not degrees
  EXPECT_NEAR(-2.0, sp->baseWind()[0], 1e-12);

  sp->setParameter("effort_inc_thr", "0.75");
  EXPECT_EQ(0.75, static_cast<vekbase::BaseServerParam*>(sp)->effortIncThr());
  sp->end();
  sp->begin();
}

TEST(ServerParamTest, LcmStep) {
  ServerParam* sp = ServerParam::instance();
  sp->end();
  sp->begin();
  sp->setParameter("slow_down_factor", "2");
  EXPECT_EQ(600, sp->lcmStep());
  sp->setParameter("recv_step", "16");  // not slowed down: 1200, not 2400
  EXPECT_EQ(1200, sp->lcmStep());
  sp->setParameter("slow_down_factor", "1");

  // Steps that cannot take part are left out, with a warning; no crash.
  LogCapture log({1002});
  sp->setParameter("send_step", "40");
  sp->setParameter("recv_step", "0");
  sp->setParameter("sense_body_step", "-100");
  EXPECT_EQ(200, sp->lcmStep());
  EXPECT_EQ("lcmStep: sense_body_step -100 left out\nlcmStep: recv_step 0 left out\n",
            log.text());
  sp->setParameter("slow_down_factor", "0");
  sp->setParameter("simulator_step", "0");
  sp->setParameter("send_step", "0");
  sp->setParameter("send_vi_step", "0");
  EXPECT_EQ(1, sp->lcmStep());
  sp->end();
  sp->begin();
  EXPECT_EQ(300, sp->lcmStep());
}

TEST(ServerParamTest, MessageResetsEveryOtherKey) {
  ServerParam* sp = ServerParam::instance();
  sp->begin();
  // As from the command line: set, then the front end ends the store.
  sp->setParameter("port", "6100");
  sp->setParameter("goal_width", "20");
  sp->end();
  EXPECT_EQ(6100, sp->portnum);

  LogCapture log({0, 1002});
  sp->getOptions("/nonexistent");
  EXPECT_EQ("ServerParam has to be started first\n", log.text());

  paramtest::applyMessage(*sp, "(server_param (ball_decay 0.9))");
  EXPECT_FALSE(sp->isStarted());
  EXPECT_EQ(0.9, sp->bdecay);
  EXPECT_EQ(6000, sp->portnum);
  EXPECT_EQ(14.02, sp->gwidth);
  sp->begin();
}

TEST(ServerParamTest, RecordedServerParamMessage) {
  ServerParam* sp = ServerParam::instance();
  const std::vector<std::string> msgs = paramtest::sessionMessages("server_param");
  ASSERT_EQ(1u, msgs.size());
  ASSERT_EQ(137u, paramtest::messagePairs(msgs[0]).size());
  sp->end();
  LogCapture log({1002});
  paramtest::applyMessage(*sp, msgs[0]);
  // Keys of a newer server are reported and skipped; the rest is set.
  const std::string text = log.text();
  EXPECT_NE(std::string::npos, text.find("Unknown parameter (tackle_dist)\n"));
  EXPECT_NE(std::string::npos, text.find("Unknown parameter (landmark_file)\n"));
  EXPECT_EQ(std::string::npos, text.find("Can't set value"));
  EXPECT_EQ(0.94, sp->bdecay);
  EXPECT_EQ(1.2, sp->catch_area_l);
  EXPECT_EQ(8000.0, sp->stamina_max);
  EXPECT_EQ(5, sp->half_time);
  EXPECT_TRUE(sp->useoffside);  // "1"
  EXPECT_TRUE(sp->game_logging);
  EXPECT_EQ("\"./\"", sp->text_log_dir);
  EXPECT_EQ(3, sp->rec_ver);  // not in the message: its default
  sp->begin();
}
