#include "tolvane/clientparam.h"

#include <gtest/gtest.h>

#include "paramtest_util.h"

// Runs first: the store as the process finds it.
TEST(ClientParamTest, FreshListing) {
  ClientParam* cp = ClientParam::instance();
  const std::vector<std::string> rows = paramtest::listing(*cp);
  ASSERT_EQ(31u, rows.size());
  EXPECT_EQ("team: Tolvane", rows[0]);
  EXPECT_EQ("host: " + ClientParam::DEFAULT_HOST_NAME, rows[1]);
  EXPECT_EQ("goalie: unset", rows[2]);
  EXPECT_EQ("version: 8.04", rows[4]);
  EXPECT_EQ("action-log-dir: ./", rows[9]);
  EXPECT_EQ("log-level: 100", rows[14]);
  EXPECT_EQ("dribbleArea: 10", rows[21]);
  EXPECT_EQ("offline_monitor: off", rows[25]);
  EXPECT_EQ("offline_logfile: ", rows[28]);
  EXPECT_EQ("log_wm: on", rows[30]);
  const vekbase::BaseClientParam* base = cp;
  EXPECT_EQ(0.97, base->confidenceDecay());
  EXPECT_EQ(0.5, base->confidenceMinValid());
}

TEST(ClientParamTest, ValuesAndAccessors) {
  ClientParam* cp = ClientParam::instance();
  cp->begin();
  cp->setParameter("goalie", "");
  EXPECT_TRUE(cp->goalie());
  cp->setParameter("log_wm", "off");
  EXPECT_FALSE(cp->logWM());
  cp->setParameter("when-to-turn", "200");
  EXPECT_EQ(-160.0, double(cp->whenToTurn()));

  cp->setParameter("action-log-dir", "logs");
  EXPECT_EQ("logs/", cp->actionLogDir());
  EXPECT_EQ("logs", cp->action_log_dir);
  cp->setParameter("message-log-dir", "");
  EXPECT_EQ("", cp->messageLogDir());
  cp->setParameter("message-log-dir", "/tmp/x/");
  EXPECT_EQ("/tmp/x/", cp->messageLogDir());
  cp->end();
  cp->begin();
  EXPECT_FALSE(cp->goalie());
  EXPECT_EQ("./", cp->actionLogDir());
}
