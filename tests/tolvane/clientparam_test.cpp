#include "tolvane/clientparam.h"

#include <gtest/gtest.h>

TEST(ClientParamTest, ValuesTheAccessorsShape) {
  ClientParam* cp = ClientParam::instance();
  const vekbase::BaseClientParam* base = cp;
  EXPECT_EQ(0.97, base->confidenceDecay());
  EXPECT_EQ(0.5, base->confidenceMinValid());

  cp->begin();
  cp->setParameter("when-to-turn", "200");
  EXPECT_EQ(-160.0, double(cp->whenToTurn()));
  // A directory gets its "/" once; an empty one stays empty.
  const std::pair<const char*, const char*> dirs[] = {{"logs", "logs/"}, {"", ""}, {"/x/", "/x/"}};
  for (const auto& d : dirs) {
    cp->setParameter("action-log-dir", d.first);
    cp->setParameter("message-log-dir", d.first);
    EXPECT_EQ(d.second, cp->actionLogDir());
    EXPECT_EQ(d.second, cp->messageLogDir());
  }
  cp->end();
  cp->begin();
}

// What goes into the init message, the log files' names and the host, and
// numbers (shirts, slots, counts, confidences, speeds), are held to ranges.
TEST(ClientParamTest, TeamNamesAndRanges) {
  ClientParam* cp = ClientParam::instance();
  cp->begin();
  const struct {
    const char* key;
    std::string value;
    bool taken;
  } rows[] = {
      {"team", "Az09-_Az09-_Az9", true}, {"team", "Az09-_Az09-_Az90", false},
      {"team", "", false}, {"team", "a b", false}, {"team", "x)(bye", false},
      {"team", "..", false}, {"team", "a/b", false}, {"team", "a\"b", false},
      {"team", "t\xc3\xa9" "am", false},
      {"team", "a\tb", false}, {"team", std::string("a\0b", 3), false},
      {"version", "8", true}, {"version", "7.99", false}, {"version", "100.01", false},
      {"reconnect", "11", true}, {"reconnect", "12", false}, {"reconnect", "-1", false},
      {"offline_player", "21", true}, {"offline_player", "22", false},
      {"offline_player", "-1", false}, {"select-sb-wait", "-1", false}, {"host", "", false},
      {"confidence-decrease", "1", true}, {"confidence-decrease", "1.1", false},
      {"confidence-min-valid", "0", true}, {"confidence-min-valid", "2", false},
      {"wm-history-size", "0", false}, {"pass-endspeed", "0", true}, {"pass-endspeed", "-3", false},
      {"fast-pass-endspeed", "-0.1", false}, {"dribbleArea", "-1", false},
      {"avoidance_distance", "-1e-9", false}, {"when-to-kick", "-0.85", false},
      {"when-to-intercept", "-1", false}, {"when-to-turn", "-1000", true},
  };
  for (const auto& r : rows)
    EXPECT_EQ(r.taken, cp->setParameter(r.key, r.value)) << r.key << " " << r.value;
  EXPECT_EQ("Az09-_Az09-_Az9", cp->myTeamName());
  cp->end();
  cp->begin();
}
