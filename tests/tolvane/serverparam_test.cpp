#include "tolvane/serverparam.h"

#include <gtest/gtest.h>

#include "testutil/logcapture.h"

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
